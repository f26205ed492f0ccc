// minizol-comprobar: checks the numbers of lists with DigiZol's core (plain lists, CSV files in
// the encodings offices use, workbooks, SEPA remittances) and reports each with its kind and
// verdict.
#include <string>

#include "comprobar/list_checker.h"
#include "comprobar/options.h"

int main(int argc, char** argv) {
    using namespace minizol;
    const Options options = ParseOptions(argc, argv);
    ListChecker checker(options);
    bool trouble = false;
    for (const std::string& input : options.inputs) {
        trouble = !checker.CheckInput(input) || trouble;
    }
    trouble = !checker.Finish() || trouble;
    const Tally& tally = checker.tally();
    if (trouble) {
        return kTrouble;
    }
    return tally.correct == tally.read ? kAllCorrect : kNotAllCorrect;
}
