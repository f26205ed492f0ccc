#!/usr/bin/python3
"""Compares MiniZol's IBAN verdicts with python-stdnum's on mistyped accounts.

Usage: stdnum_crosscheck.py IBAN_VERDICTS PUBLISHED_IBANS [COUNT] [SEED]

Most IBANs are a registered example with one or two characters of its account changed and its
mod-97 check digits computed again, so that only the account's format and its own check digits
can tell it is wrong; a tenth are random Spanish accounts made right by stdnum. IBAN_VERDICTS reads them and answers valid, format or national.

stdnum checks the format of the countries its edition of the registry knows and the national
check digits of a few; it has no opinion of its own on the others. So:
  - we reject the national digits, stdnum accepts: a country stdnum does not check (listed),
    as long as it accepts every such account of that country; some and not others is a fault;
  - we accept, stdnum rejects, in a country whose published example stdnum rejects too: its
    registry lacks the country or its bank list the bank (listed);
  - any other disagreement is a fault and fails the run.
"""

import collections
import random
import subprocess
import sys

from stdnum import iban as stdnum_iban
from stdnum.es import ccc as stdnum_ccc

# Known accounts besides the registry's, whose banks stdnum lists too.
EXTRA_SEEDS = ["BE71096123456769", "FR7630006000011234567890189", "ES6000491500051234567892"]
DIGITS = "0123456789"
LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"


def with_check_digits(country, bban):
    number = int("".join(str(int(c, 36)) for c in bban + country + "00"))
    return "%s%02d%s" % (country, 98 - number % 97, bban)


def mistyped(rng, iban):
    bban = list(iban[4:])
    kind = rng.random()
    changes = 0 if kind < 0.1 else 2 if kind < 0.3 else 1
    for _ in range(changes):
        at = rng.randrange(len(bban))
        if kind < 0.75:  # a character of the same kind, which the format allows
            pool = DIGITS if bban[at].isdigit() else LETTERS
            bban[at] = rng.choice(pool.replace(bban[at], ""))
        else:  # any digit or letter, which it may not
            bban[at] = rng.choice(DIGITS + LETTERS)
    return with_check_digits(iban[:2], "".join(bban))


def random_spanish(rng):
    """A Spanish account of random digits, its control digits as stdnum computes them: mistyped
    accounts are almost never right, and every control digit, 0 and 1 among them, should be."""
    digits = "".join(rng.choice(DIGITS) for _ in range(20))
    control = stdnum_ccc.calc_check_digits(digits)
    return with_check_digits("ES", digits[:8] + control + digits[10:])


def main():
    verdicts_tool, published_file = sys.argv[1], sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 25000
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 2024)

    with open(published_file, encoding="utf-8") as f:
        published = [line.strip() for line in f if line.strip() and not line.startswith("#")]
    unknown_to_stdnum = {i[:2] for i in published if not stdnum_iban.is_valid(i)}
    seeds = published + EXTRA_SEEDS
    ibans = [mistyped(rng, rng.choice(seeds)) for _ in range(count - count // 10)]
    ibans += [random_spanish(rng) for _ in range(count // 10)]

    ours = subprocess.run([verdicts_tool], input="\n".join(ibans) + "\n", capture_output=True,
                          text=True, check=True).stdout.split()
    assert len(ours) == len(ibans)

    agreed = 0
    expected = collections.Counter()
    faults = []
    national = collections.defaultdict(list)  # country: the national rejections stdnum accepts
    national_agreed = collections.Counter()
    for iban, verdict in zip(ibans, ours):
        theirs = stdnum_iban.is_valid(iban)
        country = iban[:2]
        if verdict == "national" and not theirs:
            national_agreed[country] += 1
        if (verdict == "valid") == theirs:
            agreed += 1
        elif verdict == "national":
            national[country].append(iban)
        elif verdict == "valid" and country in unknown_to_stdnum:
            expected[(country, "stdnum rejects its published example too")] += 1
        else:
            faults.append((iban, verdict, theirs))

    for country, rejected in national.items():
        if national_agreed[country]:  # stdnum checks them: it should agree on every one
            faults += [(iban, "national", True) for iban in rejected]
        else:
            expected[(country, "we check its national digits, stdnum does not")] += len(rejected)

    print("%d IBANs, %d agreed" % (len(ibans), agreed))
    print("  national digits both reject: %s" % ", ".join(
        "%s %d" % item for item in sorted(national_agreed.items())))
    for (country, why), n in sorted(expected.items()):
        print("  %s: %5d  %s" % (country, n, why))
    for iban, verdict, theirs in faults[:50]:
        print("  FAULT %s: ours %s, stdnum %s" % (iban, verdict, theirs))
    print("%d unexplained disagreements" % len(faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
