# Reads a workbook's first sheet with openpyxl, as fast as it reads: read-only (streaming), values
# only, nothing done with them but counting the rows, so that its time is that of reading alone.
# Prints the number of rows, the header's included.
# Usage: openpyxl_read.py BOOK.xlsx
import sys

from openpyxl import load_workbook

book = load_workbook(sys.argv[1], read_only=True, data_only=True)
print(sum(1 for _ in book.worksheets[0].iter_rows(values_only=True)))
