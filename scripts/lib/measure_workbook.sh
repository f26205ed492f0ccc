# Measures minizol-comprobar on an Excel workbook of 10^6 IBANs in groups of four, one column under
# the header "IBAN", its texts in shared strings as Excel keeps them, beside openpyxl reading the
# same workbook and doing nothing else: CPU seconds of each (the checks and the CSV report
# included in ours), their ratio, minizol-comprobar's resident memory, and the rows each read.
# Arguments: the checker, and bench/run_timer of a build with the benchmarks (by default the one
# beside it).
set -euo pipefail
checker=$1
timer=${2:-$(dirname "$checker")/../bench/run_timer}
[ -x "$timer" ] || { echo "no run timer at $timer: build with -DMINIZOL_BUILD_BENCHMARKS=ON" >&2; exit 1; }
rounds=${MINIZOL_BENCH_ROUNDS:-5}
python=/usr/bin/python3  # Debian's, which python3-openpyxl is installed for
count=1000000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Making the workbook takes half a minute, so it is kept in the build directory and made again
# only when this script (and so the generator in it) changes: ibans-1e6.made holds the script's
# hash and how many of the IBANs were made right.
data=$(cd "$(dirname "$timer")/.." && pwd)/bench-data
book=$data/ibans-1e6.xlsx
key=$(sha256sum <"$0" | cut -d' ' -f1)
if [ "$(cut -d' ' -f1 "$data/ibans-1e6.made" 2>/dev/null)" != "$key" ] || [ ! -f "$book" ]; then
    echo "making $book (half a minute)"
    mkdir -p "$data"
    rm -f "$book" "$data/ibans-1e6.made"
    made_right=$("$python" - "$count" "$work/book.xlsx" "$work/inline.xlsx" <<'EOF'
# COUNT IBANs of several countries, Spanish ones the most (their banks real, so that the bank's
# name is looked up as in a real list, and their account's control digits right), in groups of
# four, a tenth of them with a wrong check digit. Prints how many are right.
import random
import re
import sys
import zipfile

from openpyxl import Workbook

count, path, inline_path = int(sys.argv[1]), sys.argv[2], sys.argv[3]
random.seed(18)
BANKS = ["2100", "0049", "0182", "0081", "0075", "2038", "0128", "1465", "3058", "0487"]


def digits(n):
    return "".join(random.choice("0123456789") for _ in range(n))


def ccc_digit(ten):
    rest = 11 - sum(int(d) * w for d, w in zip(ten, (1, 2, 4, 8, 5, 10, 9, 7, 3, 6))) % 11
    return "10"[rest - 10] if rest >= 10 else str(rest)


def an_iban(wrong):
    country = random.choice(["ES", "ES", "ES", "DE", "PT", "NL", "FR"])
    if country == "ES":
        office, account = random.choice(BANKS) + digits(4), digits(10)
        bban = office + ccc_digit("00" + office) + ccc_digit(account) + account
    elif country == "NL":
        bban = random.choice(["ABNA", "INGB", "RABO"]) + digits(10)
    elif country == "PT":  # the NIB's own check digits, ISO 7064 MOD 97-10
        body = digits(19)
        bban = body + f"{98 - int(body) * 100 % 97:02d}"
    elif country == "FR":  # the RIB key: bank, branch and account weighted 89, 15 and 3
        bank, branch, number = digits(5), digits(5), digits(11)
        bban = bank + branch + number + f"{97 - (89 * int(bank) + 15 * int(branch) + 3 * int(number)) % 97:02d}"
    else:
        bban = digits(18)
    # ISO 13616: the country and "00" moved to the end, letters as 10 to 35, modulo 97.
    check = f"{98 - int(''.join(str(int(c, 36)) for c in bban + country + '00')) % 97:02d}"
    if wrong:  # another first digit: a change below 97 that modulo 97 always sees
        check = random.choice([c for c in "0123456789" if c != check[0]]) + check[1]
    number = country + check + bban
    return " ".join(number[i:i + 4] for i in range(0, len(number), 4))


book = Workbook(write_only=True)
sheet = book.create_sheet("IBAN")
sheet.append(["IBAN"])
right = 0
for _ in range(count):
    wrong = random.random() < 0.1
    right += not wrong
    sheet.append([an_iban(wrong)])
book.save(inline_path)

# Debian's openpyxl writes every text inline in its cell; Excel writes each once in
# xl/sharedStrings.xml and its index in the cell, so the package is rewritten that way.
INLINE = re.compile(rb'<c r="([A-Z]+[0-9]+)" t="inlineStr"><is><t>([^<]*)</t></is></c>')
strings = []


def shared(cell):
    strings.append(cell.group(2))
    return b'<c r="%s" t="s"><v>%d</v></c>' % (cell.group(1), len(strings) - 1)


with zipfile.ZipFile(inline_path) as inline, \
        zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as out:
    for item in inline.infolist():
        part = inline.read(item)
        if item.filename == "xl/worksheets/sheet1.xml":
            part = INLINE.sub(shared, part)
            assert b"inlineStr" not in part
        elif item.filename == "[Content_Types].xml":
            part = part.replace(b"</Types>", b'<Override PartName="/xl/sharedStrings.xml" '
                                b'ContentType="application/vnd.openxmlformats-officedocument.'
                                b'spreadsheetml.sharedStrings+xml"/></Types>')
        elif item.filename == "xl/_rels/workbook.xml.rels":
            part = part.replace(b"</Relationships>", b'<Relationship Id="rIdShared" '
                                b'Type="http://schemas.openxmlformats.org/officeDocument/2006/'
                                b'relationships/sharedStrings" Target="sharedStrings.xml"/>'
                                b'</Relationships>')
        out.writestr(item, part)
    out.writestr("xl/sharedStrings.xml", b"".join(
        [b'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<sst xmlns="http://schemas.'
         b'openxmlformats.org/spreadsheetml/2006/main" count="%d" uniqueCount="%d">'
         % (len(strings), len(strings))]
        + [b"<si><t>%s</t></si>" % text for text in strings] + [b"</sst>"]), zipfile.ZIP_DEFLATED)
print(right)
EOF
)
    mv "$work/book.xlsx" "$book"
    echo "$key $made_right" >"$data/ibans-1e6.made"
fi
made_right=$(cut -d' ' -f2 "$data/ibans-1e6.made")

# Rounds, each timing openpyxl reading the workbook once between two timings of the checker
# (median of 3 runs by bench/run_timer, CSV to /dev/null), the one before and the one after it,
# so that each ratio compares runs made close together: this machine's speed drifts from one
# minute to the next, and a run of openpyxl lasts half a minute. openpyxl is too slow for
# run_timer's ten runs of warming up, so GNU time takes its CPU time, from wait4 as run_timer
# does. CPU seconds, user and system, the starts of both programs included.
time_checker() {
    "$timer" --cpu 3 "$checker" --csv "$book" | awk '{ print $1 / 1000 }' >>"$work/cpu"
}
time_checker
for _ in $(seq "$rounds"); do
    /usr/bin/time -f '%U %S' -o "$work/python_cpu" \
        "$python" "$(dirname "$0")/openpyxl_read.py" "$book" >"$work/python_rows"
    awk '{ print $1 + $2 }' "$work/python_cpu" >>"$work/python"
    time_checker
done
# Each round's line: the checker before, after, and openpyxl between.
paste -d' ' <(head -n -1 "$work/cpu") <(tail -n +2 "$work/cpu") "$work/python" >"$work/rounds"
python_rows=$(cat "$work/python_rows")

"$checker" --csv "$book" >/dev/null 2>"$work/summary" || [ $? -eq 1 ]
numbers=$(grep -o '[0-9]* números\?:' "$work/summary" | cut -d' ' -f1)
right=$(grep -o '[0-9]* correctos\?' "$work/summary" | cut -d' ' -f1)
/usr/bin/time -f '%M' -o "$work/rss" "$checker" --csv "$book" >/dev/null 2>&1 || true
rss=$(tail -1 "$work/rss")

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
seconds() { median <"$1" | awk '{ printf "%.2f", $1 }'; }
awk '{ printf "%.2f\n", $3 / (($1 + $2) / 2) }' "$work/rounds" | sort -n >"$work/ratios"
ratio=$(median <"$work/ratios" | awk '{ printf "%.1f", $1 }')
# The lowest and highest of the rounds' ratios: how far this machine's drift moves the median.
spread=$(awk 'NR == 1 { low = $1 } { high = $1 } END { printf "%.1f to %.1f", low, high }' \
    "$work/ratios")
row() { printf '%-46s %10s %10s %8s\n' "$@"; }
echo
row "a workbook of 10^6 IBANs (medians)" "comprobar" "openpyxl" "ratio"
row "CPU seconds, one core" "$(seconds "$work/cpu")" "$(seconds "$work/python")" "$ratio"
printf '%-46s %30s\n' "the rounds' ratios, lowest to highest" "$spread"
printf '%-46s %10s %10s\n' "rows read (numbers; rows with the header)" "$numbers" "$python_rows"
printf '%-46s %10s %10s\n' "right IBANs (minizol-comprobar; made)" "$right" "$made_right"
printf '%-46s %10s\n' "resident memory, minizol-comprobar (KiB)" "$rss"
[ "$numbers" = "$count" ] || echo "minizol-comprobar read $numbers numbers, not $count" >&2
[ "$python_rows" = $((count + 1)) ] ||
    echo "openpyxl read $python_rows rows, not $((count + 1)) with the header" >&2
[ "$right" = "$made_right" ] ||
    echo "minizol-comprobar found $right right, where $made_right were made right" >&2
echo
echo "$rounds rounds over the same workbook ($(du -k "$book" | cut -f1) KiB), each timing openpyxl"
echo "once (read-only, values only, rows counted) between two timings of minizol-comprobar"
echo "(median of 3 runs each: read, checked and reported as CSV to /dev/null); a round's ratio is"
echo "openpyxl's time over the mean of the two, the ratio shown the median of the rounds'."
echo "Targets: ratio 20, memory 256 MiB."
