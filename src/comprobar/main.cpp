// minizol-comprobar: checks the numbers of lists with DigiZol's core (plain lists, CSV files in
// the encodings offices use, workbooks, SEPA remittances) and reports each with its kind and
// verdict.
#include <string>

#include "comprobar/command_report.h"
#include "comprobar/options.h"
#include "lists/list_reader.h"

int main(int argc, char** argv) {
    using namespace minizol;
    const Options options = ParseOptions(argc, argv);
    CommandReport report(options);
    ListReader reader(options.list, report);
    bool trouble = false;
    for (const std::string& input : options.inputs) {
        trouble = !reader.ReadInput(input) || trouble;
    }
    trouble = !report.Finish(reader.tally()) || trouble;
    if (trouble) {
        return kTrouble;
    }
    const Tally& tally = reader.tally();
    return tally.correct == tally.read ? kAllCorrect : kNotAllCorrect;
}
