# Writes COUNT mixed numbers as an office's lists hold them, one per line: a quarter each IBAN,
# DNI or NIE, CIF and ISBN, some in their paper form with separators and some compact, and a tenth
# of them with a wrong control. Their check digits come from python-stdnum, not from MiniZol.
# With --kinds, each line is "module<TAB>number" instead, for timing python-stdnum itself.
# Usage: bench_numbers.py COUNT [--kinds]
import random
import sys

from stdnum import ean, iban, isbn
from stdnum.es import ccc, cif, dni, nie

DNI_LETTERS = "TRWAGMYFPDXBNJZSQVHLCKE"


def digits(count):
    return "".join(random.choice("0123456789") for _ in range(count))


def in_fours(compact):
    return " ".join(compact[i:i + 4] for i in range(0, len(compact), 4))


def other(character, alphabet):
    return random.choice([c for c in alphabet if c != character])


def national_account(country):
    """An account of DE, PT or FR whose own check digits are right, as a bank's are: Portugal's
    NIB (ISO 7064 MOD 97-10 over the whole account) and France's RIB key (97 less the bank,
    branch and account weighted 89, 15 and 3, mod 97); Germany's accounts carry none."""
    if country == "PT":
        body = digits(19)
        return body + f"{98 - int(body) * 100 % 97:02d}"
    if country == "FR":
        bank, branch, number = digits(5), digits(5), digits(11)
        key = 97 - (89 * int(bank) + 15 * int(branch) + 3 * int(number)) % 97
        return bank + branch + number + f"{key:02d}"
    return digits(18)


def an_iban(wrong):
    country = random.choice(["ES", "ES", "DE", "PT", "NL", "FR"])
    if country == "ES":
        account = digits(8) + "00" + digits(10)
        account = account[:8] + ccc.calc_check_digits(account) + account[10:]
    elif country == "NL":
        account = random.choice(["ABNA", "INGB", "RABO"]) + digits(10)
    else:
        account = national_account(country)
    check = iban.calc_check_digits(country + "00" + account)
    if wrong:
        check = other(check[0], "0123456789") + check[1]
    number = country + check + account
    return "iban", in_fours(number) if random.random() < 0.5 else number


def a_person(wrong):
    if random.random() < 0.7:
        body = digits(8)
        letter = dni.calc_check_digit(body)
        module = "dni"
    else:
        body = random.choice("XYZ") + digits(7)
        letter = nie.calc_check_digit(body)
        module = "nie"
    if wrong:
        letter = other(letter, DNI_LETTERS)
    return module, body + letter


def a_company(wrong):
    body = random.choice("ABBBEHFGJNPQSUVW") + digits(7)
    digit, letter = cif.calc_check_digits(body)
    control = digit if body[0] in "ABEHFGJUV" else letter
    if wrong:
        control = other(control, "0123456789" if control.isdigit() else "ABCDEFGHIJ")
    return "cif", body + control


def an_isbn(wrong):
    twelve = random.choice(["97884", "97803", "97918"]) + digits(7)
    number = twelve + ean.calc_check_digit(twelve)
    if number.startswith("978") and random.random() < 0.5:
        number = isbn.to_isbn10(number)
    if wrong:
        number = number[:-1] + other(number[-1], "0123456789")
    if len(number) == 13 and random.random() < 0.5:
        number = "-".join([number[:3], number[3:5], number[5:9], number[9:12], number[12]])
    return "isbn", number


def main():
    count = int(sys.argv[1])
    kinds = "--kinds" in sys.argv[2:]
    random.seed(18)
    makers = [an_iban, a_person, a_company, an_isbn]
    out = sys.stdout
    for i in range(count):
        module, number = makers[i % 4](wrong=random.random() < 0.1)
        out.write(f"{module}\t{number}\n" if kinds else number + "\n")


main()
