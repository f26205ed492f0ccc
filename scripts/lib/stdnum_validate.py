# Times python-stdnum's is_valid over the numbers of a "module<TAB>number" list, one way per run:
# "told", each number given to the module of its own kind (the most the Python validator can do,
# with no time spent telling kinds apart), or "any", each number tried with every module in turn
# until one takes it (the same task as minizol-comprobar's, which is told no kind). Prints how
# many are valid and the CPU seconds of the loop alone, over numbers already in memory.
# Usage: stdnum_validate.py LIST told|any
import sys
import time

from stdnum import iban, isbn
from stdnum.es import cif, dni, nie

VALIDATORS = {"iban": iban.is_valid, "dni": dni.is_valid, "nie": nie.is_valid,
              "cif": cif.is_valid, "isbn": isbn.is_valid}

with open(sys.argv[1], encoding="utf-8") as listing:
    pairs = [line.rstrip("\n").split("\t") for line in listing]

if sys.argv[2] == "told":
    told = [(VALIDATORS[kind], number) for kind, number in pairs]
    start = time.process_time()
    valid = sum(1 for is_valid, number in told if is_valid(number))
else:
    numbers = [number for _, number in pairs]
    validators = list(VALIDATORS.values())
    start = time.process_time()
    valid = sum(1 for number in numbers if any(v(number) for v in validators))
print(valid, time.process_time() - start)
