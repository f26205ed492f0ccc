# Writes small.xlsx and small.ods, the workbooks the .xlsx and .ods readers' tests read from
# writers other than the tests' own XML: Debian's python3-openpyxl and python3-odf. Run with
# /usr/bin/python3 from this folder.
import datetime

import openpyxl
from odf.opendocument import OpenDocumentSpreadsheet
from odf.table import Table, TableCell, TableRow
from odf.text import P, S

book = openpyxl.Workbook()
first = book.active
first.title = "Hoja1"
first["A1"] = "DNI"
first["B1"] = "Titular"
first["A2"] = 12345678
first["B2"] = "José Ñúñez"
# Row 3 is left empty; row 4 starts with a gap.
first["B4"] = 12.5
first["C4"] = 9780306406157
first["A5"] = datetime.date(2024, 2, 29)
first["B5"] = True
second = book.create_sheet("Años")
second["C2"] = "ES91 2100 0418 4502 0005 1332"
book.save("small.xlsx")

document = OpenDocumentSpreadsheet()
for name, rows in [
    ("Hoja1", [["DNI", "Titular"], [12345678, "José  Ñúñez"], [], [None, 12.5, 9780306406157]]),
    ("Años", [[], [None, None, "ES91 2100 0418 4502 0005 1332"]]),
]:
    table = Table(name=name)
    for cells in rows:
        row = TableRow()
        for value in cells:
            if value is None:
                row.addElement(TableCell())
            elif isinstance(value, str):
                cell = TableCell(valuetype="string")
                paragraph = P()
                for index, word in enumerate(value.split("  ")):
                    if index > 0:
                        paragraph.addElement(S(c=2))
                    paragraph.addText(word)
                cell.addElement(paragraph)
                row.addElement(cell)
            else:
                cell = TableCell(valuetype="float", value=value)
                cell.addElement(P(text=f"{value:,}".replace(",", ".")))
                row.addElement(cell)
        table.addElement(row)
    document.spreadsheet.addElement(table)
document.save("small.ods")
