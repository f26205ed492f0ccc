// SEPA remittances read with Expat as they stream in. Only the roles of the open elements and the
// last name given to each kind of party are kept, and the parser is suspended at every account it
// completes, so that a file of any size is read in the same room.
#include "lists/sepa_reader.h"

#include <expat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <deque>

namespace minizol {
namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::size_t kLongestText = 1024;  // an IBAN has 34 characters, a name at most 140
constexpr std::size_t kDeepest = 64;     // remittances nest a dozen levels; deeper is not followed
constexpr std::size_t kLookedAt = 4096;  // the root's start tag comes well before

// Whose an account is, by its element's name less "Acct", in transfers and in direct debits.
// Banks' names stand in their FinInstnId. Amendments to a mandate name the accounts it had.
struct Party {
    std::string_view element;
    std::string_view transfer;
    std::string_view debit;
    bool bank;
};
constexpr Party kParties[] = {
    {"Dbtr", "ordenante", "deudor", false},
    {"Cdtr", "beneficiario", "acreedor", false},
    {"DbtrAgt", "entidad del ordenante", "entidad del deudor", true},
    {"CdtrAgt", "entidad del beneficiario", "entidad del acreedor", true},
    {"IntrmyAgt1", "entidad intermediaria", "entidad intermediaria", true},
    {"IntrmyAgt2", "entidad intermediaria", "entidad intermediaria", true},
    {"IntrmyAgt3", "entidad intermediaria", "entidad intermediaria", true},
    {"Chrgs", "cuenta de gastos", "cuenta de gastos", false},
    {"OrgnlDbtr", "ordenante anterior", "deudor anterior", false},
    {"OrgnlDbtrAgt", "entidad anterior del ordenante", "entidad anterior del deudor", true},
    {"OrgnlCdtrAgt", "entidad anterior del beneficiario", "entidad anterior del acreedor", true},
};

enum class Role : std::uint8_t { Other, Party, Account, Id, Iban, Name, Institution };

struct Frame {
    Role role = Role::Other;
    std::uint8_t party = 0;  // of kParties, for a party or its account
};

std::string_view LocalName(std::string_view name) {
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

Frame Classify(std::string_view name) {
    if (name == "Id" || name == "IBAN" || name == "Nm" || name == "FinInstnId") {
        return {name == "Id"     ? Role::Id
                : name == "IBAN" ? Role::Iban
                : name == "Nm"   ? Role::Name
                                 : Role::Institution};
    }
    for (std::uint8_t index = 0; index < std::size(kParties); ++index) {
        const std::string_view party = kParties[index].element;
        if (name == party) {
            return {Role::Party, index};
        }
        if (name.size() == party.size() + 4 && name.starts_with(party) && name.ends_with("Acct")) {
            return {Role::Account, index};
        }
    }
    return {};
}

// The message kind ("pain.001.001.03") the root element declares as its namespace, or "" when
// it is no remittance.
std::string RootMessage(std::string_view name, const XML_Char** attributes) {
    if (LocalName(name) != "Document") {
        return {};
    }
    const std::size_t colon = name.find(':');
    const std::string declaration =
        colon == std::string_view::npos ? "xmlns" : "xmlns:" + std::string(name.substr(0, colon));
    for (; *attributes != nullptr; attributes += 2) {
        if (declaration != attributes[0]) {
            continue;
        }
        std::string_view message(attributes[1]);
        message.remove_prefix(std::min(message.find("pain."), message.size()));
        message = message.substr(0, message.find_first_not_of("0123456789.", 5));
        const bool known = message.starts_with("pain.001") || message.starts_with("pain.008");
        return known && (message.size() == 8 || message[8] == '.') ? std::string(message) : "";
    }
    return {};
}

// Text up to kLongestText bytes, not cutting a character in two. False when the text was cut:
// nothing after it may be appended, or what is kept would depend on how Expat split the text.
bool AppendCapped(std::string& text, const char* data, std::size_t size) {
    const bool whole = text.size() + size <= kLongestText;
    if (!whole) {
        size = kLongestText - std::min(text.size(), kLongestText);
        while (size > 0 && (static_cast<unsigned char>(data[size]) & 0xC0) == 0x80) {
            --size;
        }
    }
    text.append(data, size);
    return whole;
}

}  // namespace

struct SepaReader::State {
    explicit State(ByteSource& from) : source(from), parser(XML_ParserCreate(nullptr)) {}
    ~State() {
        if (parser != nullptr) {
            XML_ParserFree(parser);
        }
    }
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    Frame At(std::size_t level) const {
        return level >= 1 && level <= kDeepest ? open[level - 1] : Frame{};
    }

    void Collect(std::string& into) {
        into.clear();
        text = &into;
        textCut = false;
        textDepth = depth;
    }

    void Stop(std::string why) {
        error = std::move(why);
        XML_StopParser(parser, XML_FALSE);
    }

    void Start(const XML_Char* qualified, const XML_Char** attributes) {
        ++depth;
        if (depth == 1) {
            message = RootMessage(qualified, attributes);
            credit = message.starts_with("pain.001");
            if (message.empty()) {
                Stop("no es una remesa SEPA: su raíz no es un Document de pain.001 ni pain.008");
            }
            return;
        }
        const Frame frame = depth <= kDeepest ? Classify(LocalName(qualified)) : Frame{};
        if (depth <= kDeepest) {
            open[depth - 1] = frame;
        }
        const Frame parent = At(depth - 1);
        const Frame grandparent = At(depth - 2);
        switch (frame.role) {
            case Role::Party:
                known[frame.party] = {"", depth, true};
                break;
            case Role::Account: {
                const Party& party = kParties[frame.party];
                const Known& name = known[frame.party];
                account.party = credit ? party.transfer : party.debit;
                // The schema names a party before its account: the two are siblings.
                account.holder = name.valid && name.depth == depth ? name.name : "";
                break;
            }
            case Role::Name:
                if (parent.role == Role::Party && !kParties[parent.party].bank) {
                    Collect(known[parent.party].name);
                } else if (parent.role == Role::Institution && grandparent.role == Role::Party &&
                           kParties[grandparent.party].bank) {
                    Collect(known[grandparent.party].name);
                }
                break;
            case Role::Iban:
                if (parent.role == Role::Id && grandparent.role == Role::Account) {
                    account.line = XML_GetCurrentLineNumber(parser);
                    Collect(account.iban);
                }
                break;
            default:
                break;
        }
    }

    void End() {
        if (text != nullptr && depth == textDepth) {
            if (text == &account.iban) {
                ready.push_back(account);
                XML_StopParser(parser, XML_TRUE);  // handed out before more is read
            }
            text = nullptr;
        }
        // A party is an account's sibling only until their parent closes.
        for (Known& name : known) {
            name.valid = name.valid && name.depth <= depth;
        }
        --depth;
    }

    void Text(const XML_Char* data, int size) {
        if (text != nullptr && depth == textDepth && !textCut) {
            textCut = !AppendCapped(*text, data, static_cast<std::size_t>(size));
        }
    }

    // Parses on to the next account or the end: resumes a suspended parse, or reads a chunk.
    void Step() {
        XML_Status status;
        if (suspended) {
            status = XML_ResumeParser(parser);
        } else {
            void* buffer = XML_GetBuffer(parser, static_cast<int>(kChunk));
            if (buffer == nullptr) {
                error = "no hay memoria para leer la remesa";
                done = true;
                return;
            }
            // Expat tells the encoding by the first four bytes: given fewer, it could judge
            // a file differently by how it arrives.
            const std::size_t wanted = started ? 1 : 4;
            std::size_t filled = 0;
            while (filled < wanted && !lastFed) {
                const std::ptrdiff_t count =
                    source.Read(static_cast<char*>(buffer) + filled, kChunk - filled);
                if (count < 0) {
                    error = std::string("no se pudo seguir leyendo el archivo: ") +
                            std::strerror(errno != 0 ? errno : EIO);
                    done = true;
                    return;
                }
                filled += static_cast<std::size_t>(count);
                lastFed = count == 0;
            }
            started = true;
            status = XML_ParseBuffer(parser, static_cast<int>(filled), lastFed);
        }
        suspended = status == XML_STATUS_SUSPENDED;
        if (status == XML_STATUS_ERROR) {
            if (error.empty()) {
                error = "XML mal formado en la línea " +
                        std::to_string(XML_GetCurrentLineNumber(parser)) + ": " +
                        XML_ErrorString(XML_GetErrorCode(parser));
            }
            done = true;
        } else if (status == XML_STATUS_OK && lastFed) {
            done = true;
        }
    }

    struct Known {
        std::string name;
        std::size_t depth = 0;
        bool valid = false;
    };

    ByteSource& source;
    XML_Parser parser;
    std::size_t depth = 0;
    std::array<Frame, kDeepest> open{};
    std::array<Known, std::size(kParties)> known{};  // the last party of each kind
    std::string* text = nullptr;                     // where the open element's text goes
    bool textCut = false;                            // it reached kLongestText: the rest goes
    std::size_t textDepth = 0;
    SepaAccount account;            // the one being read
    std::deque<SepaAccount> ready;  // read, not yet handed out
    std::string message;
    std::string error;
    bool credit = true;
    bool started = false;  // bytes have been fed
    bool suspended = false;
    bool lastFed = false;
    bool done = false;
};

SepaReader::SepaReader(ByteSource& source) : state_(std::make_unique<State>(source)) {
    State& state = *state_;
    if (state.parser == nullptr) {
        state.error = "no hay memoria para leer la remesa";
        state.done = true;
        return;
    }
    XML_SetUserData(state.parser, &state);
    XML_SetElementHandler(
        state.parser,
        [](void* data, const XML_Char* name, const XML_Char** attributes) {
            static_cast<State*>(data)->Start(name, attributes);
        },
        [](void* data, const XML_Char*) { static_cast<State*>(data)->End(); });
    XML_SetCharacterDataHandler(state.parser, [](void* data, const XML_Char* text, int size) {
        static_cast<State*>(data)->Text(text, size);
    });
}

SepaReader::~SepaReader() = default;

bool SepaReader::Next(SepaAccount& account) {
    State& state = *state_;
    while (state.ready.empty() && !state.done) {
        state.Step();
    }
    if (state.ready.empty()) {
        return false;
    }
    account = std::move(state.ready.front());
    state.ready.pop_front();
    return true;
}

const std::string& SepaReader::error() const {
    return state_->error;
}

const std::string& SepaReader::message() const {
    return state_->message;
}

bool LooksLikeSepa(std::string_view start) {
    // Expat reads the prolog as it stands (a byte order mark, the declaration, comments, UTF-16)
    // and is stopped at the root's start tag.
    struct Root {
        XML_Parser parser;
        bool sepa = false;
    } root{XML_ParserCreate(nullptr)};
    if (root.parser == nullptr) {
        return false;
    }
    XML_SetUserData(root.parser, &root);
    XML_SetStartElementHandler(root.parser,
                               [](void* data, const XML_Char* name, const XML_Char** attributes) {
                                   Root& root = *static_cast<Root*>(data);
                                   root.sepa = !RootMessage(name, attributes).empty();
                                   XML_StopParser(root.parser, XML_FALSE);
                               });
    const std::size_t size = std::min(start.size(), kLookedAt);
    XML_Parse(root.parser, start.data(), static_cast<int>(size), XML_FALSE);
    XML_ParserFree(root.parser);
    return root.sepa;
}

}  // namespace minizol
