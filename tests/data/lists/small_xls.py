# Writes small.xls, the Excel 97-2003 workbook the .xls reader's tests read: Debian's python3-xlwt
# is the one writer of the format at hand. Run with /usr/bin/python3 from this folder.
import datetime

import xlwt

book = xlwt.Workbook(encoding="utf-8")
first = book.add_sheet("Hoja1")
first.write(0, 0, "DNI")
first.write(0, 1, "Titular")
first.write(1, 0, 12345678)
first.write(1, 1, "José Ñúñez")
# Row 3 is left empty; row 4 starts with a gap.
first.write(3, 1, 12.5)
first.write(3, 2, 9780306406157)
first.write(4, 0, datetime.date(2024, 2, 29), xlwt.easyxf(num_format_str="DD/MM/YYYY"))
second = book.add_sheet("Años")
second.write(1, 2, "ES91 2100 0418 4502 0005 1332")
book.save("small.xls")
