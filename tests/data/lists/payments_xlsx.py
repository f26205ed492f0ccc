# Writes payments.xlsx, the workbook minizol-comprobar's test reads to write a report of: a date
# column, an amount column in a number format, an account kept as a number, and IBANs. Debian's
# python3-openpyxl; run with /usr/bin/python3 from this folder.
import datetime

import openpyxl

book = openpyxl.Workbook()
sheet = book.active
sheet.title = "Cobros"
sheet.append(["Fecha", "Importe", "Cuenta", "IBAN"])
sheet.append(
    [datetime.date(2024, 2, 29), 1234.5, 21000418450200051332, "ES91 2100 0418 4502 0005 1332"]
)
sheet.append([datetime.datetime(2024, 3, 1, 13, 45), 7, None, "ES91 2100 0418 4502 0005 1333"])
sheet["A2"].number_format = "dd/mm/yyyy"
sheet["A3"].number_format = "dd/mm/yyyy hh:mm"
sheet["B2"].number_format = sheet["B3"].number_format = "#,##0.00"
book.save("payments.xlsx")
