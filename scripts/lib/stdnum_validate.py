# Times python-stdnum's is_valid over the numbers of a "module<TAB>number" list in two ways:
# each number given to the module of its own kind (the most the Python validator can do, with no
# time spent telling kinds apart), and each number tried with every module in turn until one
# takes it (the same task as minizol-comprobar's, which is told no kind). Each way runs RUNS times
# (3 by default). Prints the count, then for each way how many are valid and the median CPU
# seconds of its loop.
# Usage: stdnum_validate.py LIST [RUNS]
import statistics
import sys
import time

from stdnum import iban, isbn
from stdnum.es import cif, dni, nie

VALIDATORS = {"iban": iban.is_valid, "dni": dni.is_valid, "nie": nie.is_valid,
              "cif": cif.is_valid, "isbn": isbn.is_valid}

with open(sys.argv[1], encoding="utf-8") as listing:
    pairs = [line.rstrip("\n").split("\t") for line in listing]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
told = [(VALIDATORS[kind], number) for kind, number in pairs]
numbers = [number for _, number in pairs]
validators = list(VALIDATORS.values())


def timed(loop):
    """The loop's result and the median CPU seconds of RUNS runs."""
    seconds = []
    for _ in range(runs):
        start = time.process_time()
        result = loop()
        seconds.append(time.process_time() - start)
    return result, statistics.median(seconds)


valid_told, seconds_told = timed(lambda: sum(1 for is_valid, number in told if is_valid(number)))
valid_any, seconds_any = timed(
    lambda: sum(1 for number in numbers if any(v(number) for v in validators)))
print(len(pairs), valid_told, seconds_told, valid_any, seconds_any)
