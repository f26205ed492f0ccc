#!/usr/bin/env bash
# Runs the real minizol-comprobar on small files as a user would, and checks its output, its
# messages and its exit status. Arguments: the program, the case to run.
set -uo pipefail
program=$1 case=$2
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
        printf '%s\r\n' 'Nombre;Importe;IBAN;linea;entrada;tipo;resultado;control;forma;banco' \
            '"García; Juan";12,50;ES91 2100 0418 4502 0005 1332;2;ES91 2100 0418 4502 0005 1332;IBAN;correcto;91 45;ES91 2100 0418 4502 0005 1332;Caja de ah. y pensiones de barcelona' \
            '"Pérez ""El Rápido""";3;"DE88 3704 0044 0532 0130 00";3;DE88 3704 0044 0532 0130 00;IBAN;incorrecto;89;DE88 3704 0044 0532 0130 00;'
        # The record's own line break, inside its quotes, is kept as it came.
        printf '"Calle Mayor\r\n5";7;;4;;;;;;\r\n'
        printf '%s\r\n' 'Sin IBAN;1;;6;;;desconocido;;;' \
            'López;2;IBAN PT50 0002 0123 1234 5678 9015 4;7;IBAN PT50 0002 0123 1234 5678 9015 4;IBAN;correcto;50;PT50 0002 0123 1234 5678 9015 4;'
    } >expected
    expect_same expected out "the checked export"
    grep -qx 'minizol-comprobar: 4 números: 2 correctos, 1 incorrecto, 0 incompletos, 1 desconocido' err ||
        fail "summary: $(cat err)"
    ;;
plain_list)
    printf '\xef\xbb\xbf 12.345.678-z\r\n\r\n1234567\nNIF: B1234567\nISBN-13: 978-0-306-40615-8\n0-8044-2957-X\n2100 0418 45 0200051332\nhola, "mundo"' >lista.txt
    expect_status 1 "$program" --csv lista.txt
    cat >expected <<'END'
linea,entrada,tipo,resultado,control,forma,banco
1, 12.345.678-z,DNI,correcto,Z,12345678Z,
3,1234567,DNI,incompleto,L,01234567L,
4,NIF: B1234567,CIF,incompleto,D 4,B12345674,
5,ISBN-13: 978-0-306-40615-8,ISBN-13,incorrecto,7,9780306406158,
6,0-8044-2957-X,ISBN-10,correcto,X,080442957X,
7,2100 0418 45 0200051332,CCC,correcto,45,2100 0418 45 0200051332,Caja de ah. y pensiones de barcelona
8,"hola, ""mundo""",,desconocido,,,
END
    # In the list's own form: its BOM, and the CR LF its first line ends in.
    { printf '\xef\xbb\xbf'; sed 's/$/\r/' expected; } >expected.crlf
    expect_same expected.crlf out "the checked list"
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
    tail -1 out | grep -qx "$lines,12345678Z,DNI,correcto,Z,12345678Z," || fail "last line: $(tail -1 out)"
    # Every line but the blank ones is in the report, once.
    rows=$(LC_ALL=C grep -a -c -v $'^[ \t\r\v\f]*$' bad.bin)
    [ "$(($(wc -l <out) - 1))" -eq "$rows" ] || fail "$(($(wc -l <out) - 1)) rows for $rows lines"
    ;;
*)
    fail "no case $case"
    ;;
esac
echo "PASS: $case"
