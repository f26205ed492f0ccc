#!/usr/bin/env bash
# Runs the real minizol-comprobar on small files as a user would, and checks its output, its
# messages and its exit status. Arguments: the program, the case to run.
set -uo pipefail
program=$1 case=$2
data=$(cd "$(dirname "$0")/../data/lists" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# expect_status <status> <command...>: runs it with standard output to out, errors to err.
expect_status() {
    local want=$1
    shift
    "$@" >out 2>err
    local got=$?
    [ "$got" -eq "$want" ] || { cat err >&2; fail "$* exited with $got, not $want"; }
}

expect_same() {
    diff -u "$1" "$2" >&2 || fail "$3"
}

case $case in
exit_statuses)
    printf '12345678Z\nES91 2100 0418 4502 0005 1332\n' >right.txt
    printf '12345678Z\n12345678J\n' >wrong.txt
    expect_status 0 "$program" right.txt
    expect_status 0 "$program" </dev/null
    expect_status 1 "$program" right.txt wrong.txt
    expect_status 1 "$program" - <wrong.txt
    grep -qx 'minizol-comprobar: 2 números: 1 correcto, 1 incorrecto, 0 incompletos, 0 desconocidos' err ||
        fail "summary: $(cat err)"
    # An input that cannot be read is named, and the others are still checked.
    mkdir folder
    expect_status 2 "$program" missing.txt folder right.txt
    grep -q '«missing.txt»: no existe' err || fail "no message for the missing file: $(cat err)"
    grep -q '«folder»: es un directorio' err || fail "no message for the folder: $(cat err)"
    [ "$(grep -c correcto out)" -eq 2 ] || fail "the readable file was not checked: $(cat out)"
    expect_status 2 "$program" --columna=0 right.txt
    expect_status 2 "$program" --tipo=pasaporte right.txt
    expect_status 2 "$program" --no-such-option
    expect_status 0 "$program" --help
    grep -q '^Uso: minizol-comprobar' out || fail "--help: $(head -1 out)"
    expect_status 0 "$program" --version
    grep -q '^minizol-comprobar (MiniZol) ' out || fail "--version: $(head -1 out)"
    ;;
csv_export)
    # A remittance as a Spanish spreadsheet exports it: BOM, CR LF, semicolons, quoted names.
    printf '\xef\xbb\xbfNombre;Importe;IBAN\r\n"García; Juan";12,50;ES91 2100 0418 4502 0005 1332\r\n"Pérez ""El Rápido""";3;"DE88 3704 0044 0532 0130 00"\r\n"Calle Mayor\r\n5";7;\r\nSin IBAN;1\r\nLópez;2;IBAN PT50 0002 0123 1234 5678 9015 4\r\n' >remesa.csv
    expect_status 1 "$program" --columna=3 --separador=';' --cabecera --csv remesa.csv
    # Written back in the export's own form: its BOM, its CR LF, its semicolons.
    {
        printf '\xef\xbb\xbf'
        printf '%s\r\n' 'Nombre;Importe;IBAN;linea;entrada;tipo;resultado;control;forma;banco;bic;motivo' \
            '"García; Juan";12,50;ES91 2100 0418 4502 0005 1332;2;ES91 2100 0418 4502 0005 1332;IBAN;correcto;91 45;ES91 2100 0418 4502 0005 1332;Caja de ah. y pensiones de barcelona;CAIXESBB;' \
            '"Pérez ""El Rápido""";3;"DE88 3704 0044 0532 0130 00";3;DE88 3704 0044 0532 0130 00;IBAN;incorrecto;89;DE88 3704 0044 0532 0130 00;;;"IBAN: pone 88; corresponde 89"'
        # The record's own line break, inside its quotes, is kept as it came.
        printf '"Calle Mayor\r\n5";7;;4;;;;;;;;\r\n'
        printf '%s\r\n' 'Sin IBAN;1;;6;;;desconocido;;;;;' \
            'López;2;IBAN PT50 0002 0123 1234 5678 9015 4;7;IBAN PT50 0002 0123 1234 5678 9015 4;IBAN;correcto;50;PT50 0002 0123 1234 5678 9015 4;;;'
    } >expected
    expect_same expected out "the checked export"
    grep -qx 'minizol-comprobar: 4 números: 2 correctos, 1 incorrecto, 0 incompletos, 1 desconocido' err ||
        fail "summary: $(cat err)"
    ;;
plain_list)
    printf '\xef\xbb\xbf 12.345.678-z\r\n\r\n1234567\nNIF: B1234567\nISBN-13: 978-0-306-40615-8\n0-8044-2957-X\n2100 0418 45 0200051332\nhola, "mundo"' >lista.txt
    expect_status 1 "$program" --csv lista.txt
    cat >expected <<'END'
linea,entrada,tipo,resultado,control,forma,banco,bic,motivo
1, 12.345.678-z,DNI,correcto,Z,12345678Z,,,
3,1234567,DNI,incompleto,L,01234567L,,,
4,NIF: B1234567,CIF,incompleto,4,B12345674,,,
5,ISBN-13: 978-0-306-40615-8,ISBN-13,incorrecto,7,9780306406158,,,la cifra de control no corresponde; corresponde el 7
6,0-8044-2957-X,ISBN-10,correcto,X,080442957X,,,
7,2100 0418 45 0200051332,CCC,correcto,45,2100 0418 45 0200051332,Caja de ah. y pensiones de barcelona,CAIXESBB,
8,"hola, ""mundo""",,desconocido,,,,,
END
    # In the list's own form: its BOM, and the CR LF its first line ends in.
    { printf '\xef\xbb\xbf'; sed 's/$/\r/' expected; } >expected.crlf
    expect_same expected.crlf out "the checked list"
    # A plain list's header is passed over, and nothing else changes.
    printf 'NIF\n12345678Z\n' | expect_status 0 "$program" --cabecera --csv
    printf 'linea,entrada,tipo,resultado,control,forma,banco,bic,motivo\n2,12345678Z,DNI,correcto,Z,12345678Z,,,\n' >expected
    expect_same expected out "a plain list with a header"
    ;;
bad_bytes)
    # Every byte value, a line far over the limit, NULs, invalid UTF-8 and an escape sequence:
    # each line gets a verdict, the long one is named, nothing reaches the output raw.
    all=$(printf '\\%03o' $(seq 0 255))
    { printf "$all"; printf "$all" | LC_ALL=C rev; printf '\n'; head -c 200000 /dev/zero | tr '\0' '9'
        printf '\n\x00\xff\x1b[2J\n12345678Z'; } >bad.bin
    lines=$(($(tr -cd '\n' <bad.bin | wc -c) + 1))
    expect_status 1 "$program" --csv bad.bin
    grep -q "bad.bin:$((lines - 2)): línea de más de 64 KiB: no se comprueba" err ||
        fail "long line: $(head -3 err)"
    grep -q $'\x1b' out && fail "an escape sequence reached the output"
    tail -1 out | grep -qx "$lines,12345678Z,DNI,correcto,Z,12345678Z,,," || fail "last line: $(tail -1 out)"
    # Every line but the blank ones is in the report, once.
    rows=$(LC_ALL=C grep -a -c -v $'^[ \t\r\v\f]*$' bad.bin)
    [ "$(($(wc -l <out) - 1))" -eq "$rows" ] || fail "$(($(wc -l <out) - 1)) rows for $rows lines"
    ;;
office_files)
    # Spanish Excel's "CSV (delimitado por comas)": Windows-1252, semicolons, CR LF, and an IBAN
    # pasted from a web page with non-breaking spaces (byte A0). No option is needed, and the
    # answer comes back in the same form, the user's bytes as they were.
    printf 'Nombre;IBAN\r\nPe\xf1a;ES91\xa02100\xa00418\xa04502\xa00005\xa01332\r\nRuiz;ES91 2100 0418 4502 0005 1333\r\n' >ansi.csv
    expect_status 1 "$program" --csv ansi.csv
    printf '%s\r\n' 'Nombre;IBAN;linea;entrada;tipo;resultado;control;forma;banco;bic;motivo' \
        "$(printf 'Pe\xf1a;ES91\xa02100\xa00418\xa04502\xa00005\xa01332;2;ES91\xa02100\xa00418\xa04502\xa00005\xa01332')"';IBAN;correcto;91 45;ES91 2100 0418 4502 0005 1332;Caja de ah. y pensiones de barcelona;CAIXESBB;' \
        "Ruiz;ES91 2100 0418 4502 0005 1333;3;ES91 2100 0418 4502 0005 1333;IBAN;incorrecto;64 41;ES91 2100 0418 4502 0005 1333;Caja de ah. y pensiones de barcelona;CAIXESBB;\"IBAN: pone 91; corresponde 64 $(printf '\xb7') control: pone 45; corresponde 41\"" >expected
    expect_same expected out "the Windows-1252 export"
    grep -qx 'minizol-comprobar: ansi.csv: columna comprobada: IBAN (2); separador: «;»' err ||
        fail "columns and separator: $(cat err)"
    # Excel's "Texto Unicode": UTF-16 with its BOM, tabs.
    printf 'Nombre\tNIF\r\nPeña\t12345678Z\r\n' | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >unicode.txt
    expect_status 0 "$program" --csv unicode.txt
    [ "$(head -c 2 out | od -An -tx1 | tr -d ' ')" = fffe ] || fail "the UTF-16 BOM was not kept"
    iconv -f UTF-16 -t UTF-8 out >out.utf8
    printf 'Nombre\tNIF\tlinea\tentrada\ttipo\tresultado\tcontrol\tforma\tbanco\tbic\tmotivo\r\nPeña\t12345678Z\t2\t12345678Z\tDNI\tcorrecto\tZ\t12345678Z\t\t\t\r\n' >expected
    expect_same expected out.utf8 "the UTF-16 export"
    # Columns named by their header in any case, several of them, rows short and long.
    printf 'Nombre,NIF,IBAN\nAna,12345678Z,ES91 2100 0418 4502 0005 1332,nota,extra\nLuis,12345678J\n' >filas.csv
    expect_status 1 "$program" --csv --columna=iban,nif filas.csv
    printf '%s\n' 'Nombre,NIF,IBAN,linea,columna,entrada,tipo,resultado,control,forma,banco,bic,motivo' \
        'Ana,12345678Z,ES91 2100 0418 4502 0005 1332,2,IBAN,ES91 2100 0418 4502 0005 1332,IBAN,correcto,91 45,ES91 2100 0418 4502 0005 1332,Caja de ah. y pensiones de barcelona,CAIXESBB,,nota,extra' \
        'Ana,12345678Z,ES91 2100 0418 4502 0005 1332,2,NIF,12345678Z,DNI,correcto,Z,12345678Z,,,,nota,extra' \
        'Luis,12345678J,,3,IBAN,,,desconocido,,,,,' \
        'Luis,12345678J,,3,NIF,12345678J,DNI,incorrecto,Z,12345678J,,,la letra no corresponde; corresponde la Z' >expected
    expect_same expected out "columns named, ragged rows"
    expect_status 2 "$program" --columna=CIF filas.csv
    grep -q 'no hay ninguna columna «CIF»' err || fail "unknown column: $(cat err)"
    ;;
workbooks)
    # A report written as a workbook reads back through the workbook reader: the writer's cells
    # and the reader's, text kept as text ("00123").
    printf 'NIF;IBAN;Nota\r\nB12345674;ES91 2100 0418 4502 0005 1332;00123\r\n12345678J;ES91 2100 0418 4502 0005 1333;x\r\n' >lista.csv
    expect_status 1 "$program" --salida=lista.xlsx lista.csv
    [ -s lista.xlsx ] && [ ! -s out ] || fail "the workbook was not written, or the report went elsewhere"
    expect_status 1 "$program" --csv --columna=entrada --tipo=nif lista.xlsx
    printf '%s\n' 'NIF,IBAN,Nota,linea,columna,entrada,tipo,resultado,control,forma,banco,bic,motivo,linea,entrada,tipo,resultado,control,forma,banco,bic,motivo' \
        'B12345674,ES91 2100 0418 4502 0005 1332,00123,2,NIF,B12345674,CIF,correcto,4,B12345674,,,,2,B12345674,CIF,correcto,4,B12345674,,,' \
        'B12345674,ES91 2100 0418 4502 0005 1332,00123,2,IBAN,ES91 2100 0418 4502 0005 1332,IBAN,correcto,91 45,ES91 2100 0418 4502 0005 1332,Caja de ah. y pensiones de barcelona,CAIXESBB,,3,ES91 2100 0418 4502 0005 1332,,desconocido,,,,,' \
        '12345678J,ES91 2100 0418 4502 0005 1333,x,3,NIF,12345678J,DNI,incorrecto,Z,12345678J,,,la letra no corresponde; corresponde la Z,4,12345678J,DNI,incorrecto,Z,12345678J,,,la letra no corresponde; corresponde la Z' \
        '12345678J,ES91 2100 0418 4502 0005 1333,x,3,IBAN,ES91 2100 0418 4502 0005 1333,IBAN,incorrecto,64 41,ES91 2100 0418 4502 0005 1333,Caja de ah. y pensiones de barcelona,CAIXESBB,IBAN: pone 91; corresponde 64 · control: pone 45; corresponde 41,5,ES91 2100 0418 4502 0005 1333,,desconocido,,,,,' >expected
    expect_same expected out "the workbook read back"
    expect_status 1 "$program" --hoja=1 - <lista.xlsx
    expect_status 2 "$program" --hoja=Ventas lista.xlsx
    grep -q 'Ventas' err || fail "missing sheet: $(cat err)"
    # The CSV Spanish Excel opens on a double click, written whole or not at all.
    expect_status 1 "$program" --salida=lista-revisada.csv lista.csv
    [ "$(head -c 3 lista-revisada.csv | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "no BOM"
    grep -c $'\r$' lista-revisada.csv | grep -qx 5 || fail "not CR LF: $(cat -A lista-revisada.csv)"
    grep -q '^B12345674;ES91 2100 0418 4502 0005 1332;00123;2;NIF;' lista-revisada.csv || fail "not ;"
    expect_status 2 "$program" --salida=no/such/folder/x.csv lista.csv
    expect_status 2 "$program" --salida=informe.txt lista.csv
    expect_status 2 "$program" --csv --salida=x.csv lista.csv
    [ -z "$(ls no 2>/dev/null)" ] && [ ! -e x.csv ] || fail "a file was left behind"
    # A sheet's dates and amounts through a workbook report (data/lists/payments_xlsx.py): dates in
    # ISO form, amounts numbers still, an account held as a number too long for one kept as text.
    expect_status 1 "$program" --columna=IBAN --salida=cobros.xlsx "$data/payments.xlsx"
    expect_status 1 "$program" --csv --columna=IBAN cobros.xlsx
    results2='ES91 2100 0418 4502 0005 1332,IBAN,correcto,91 45,ES91 2100 0418 4502 0005 1332,Caja de ah. y pensiones de barcelona,CAIXESBB,'
    results3='ES91 2100 0418 4502 0005 1333,IBAN,incorrecto,64 41,ES91 2100 0418 4502 0005 1333,Caja de ah. y pensiones de barcelona,CAIXESBB,IBAN: pone 91; corresponde 64 · control: pone 45; corresponde 41'
    printf '%s\n' 'Fecha,Importe,Cuenta,IBAN,linea,entrada,tipo,resultado,control,forma,banco,bic,motivo,linea,entrada,tipo,resultado,control,forma,banco,bic,motivo' \
        "2024-02-29,\"1234,5\",21000418450200050000,ES91 2100 0418 4502 0005 1332,2,$results2,2,$results2" \
        "2024-03-01 13:45:00,7,,ES91 2100 0418 4502 0005 1333,3,$results3,3,$results3" >expected
    expect_same expected out "dates and amounts read back"
    unzip -p cobros.xlsx xl/worksheets/sheet1.xml >sheet.xml || fail "cobros.xlsx is no package"
    grep -q '<c r="B2"><v>1234.5</v></c>' sheet.xml || fail "the amount is not a number"
    grep -q '<c r="C2" t="inlineStr"><is><t>21000418450200050000</t>' sheet.xml ||
        fail "the account is not text"
    ;;
remittance)
    cat >adeudos.xml <<'END'
<?xml version="1.0" encoding="UTF-8"?>
<Document xmlns="urn:iso:std:iso:20022:tech:xsd:pain.008.001.02">
<CstmrDrctDbtInitn>
<GrpHdr><MsgId>A1</MsgId><InitgPty><Nm>Club Náutico</Nm></InitgPty></GrpHdr>
<PmtInf>
<Cdtr><Nm>Club Náutico</Nm></Cdtr>
<CdtrAcct><Id><IBAN>ES9121000418450200051332</IBAN></Id></CdtrAcct>
<DrctDbtTxInf>
<Dbtr><Nm>Ana Peña</Nm></Dbtr>
<DbtrAcct><Id><IBAN>ES91 2100 0418 4502 0005 1333</IBAN></Id></DbtrAcct>
</DrctDbtTxInf>
<DrctDbtTxInf>
<DbtrAcct><Id><IBAN>DE89370400440532013000</IBAN></Id></DbtrAcct>
</DrctDbtTxInf>
</PmtInf>
</CstmrDrctDbtInitn>
</Document>
END
    expect_status 1 "$program" --csv adeudos.xml
    printf '%s\n' 'parte,titular,IBAN,linea,entrada,tipo,resultado,control,forma,banco,bic,motivo' \
        'acreedor,Club Náutico,ES9121000418450200051332,7,ES9121000418450200051332,IBAN,correcto,91 45,ES91 2100 0418 4502 0005 1332,Caja de ah. y pensiones de barcelona,CAIXESBB,' \
        'deudor,Ana Peña,ES91 2100 0418 4502 0005 1333,10,ES91 2100 0418 4502 0005 1333,IBAN,incorrecto,64 41,ES91 2100 0418 4502 0005 1333,Caja de ah. y pensiones de barcelona,CAIXESBB,IBAN: pone 91; corresponde 64 · control: pone 45; corresponde 41' \
        'deudor,,DE89370400440532013000,13,DE89370400440532013000,IBAN,correcto,89,DE89 3704 0044 0532 0130 00,,,' >expected
    expect_same expected out "the remittance"
    grep -q 'adeudos.xml: remesa SEPA pain.008.001.02: 3 cuentas' err || fail "$(cat err)"
    # Cut short, it says where, after the accounts before.
    head -n 10 adeudos.xml >cortada.xml
    expect_status 2 "$program" cortada.xml
    grep -q 'cortada.xml' err || fail "the damaged remittance is not named: $(cat err)"
    ;;
no_list)
    # Files people pick by mistake are refused by what they are; the list beside them is checked.
    printf '%%PDF-1.7\n%%\xe2\xe3\n' >factura.pdf
    printf '\x89PNG\r\n\x1a\n\0\0\0\rIHDR' >foto.png
    printf 'PK\x05\x06\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0' >vacio.zip
    printf '12345678Z\n' >lista.txt
    expect_status 2 "$program" factura.pdf foto.png vacio.zip lista.txt
    grep -q '«factura.pdf» no es una lista: parece un PDF' err || fail "pdf: $(cat err)"
    grep -q '«foto.png» no es una lista: parece una imagen PNG' err || fail "png: $(cat err)"
    grep -q '«vacio.zip» no es una lista: parece un archivo ZIP' err || fail "zip: $(cat err)"
    grep -q '12345678Z' out || fail "the list beside them was not checked"
    ;;
*)
    fail "no case $case"
    ;;
esac
echo "PASS: $case"
