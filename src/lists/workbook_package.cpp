#include "lists/workbook_package.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/text_case.h"
#include "lists/messages.h"

namespace minizol::workbook {
namespace {

// Large reads: inflating and parsing cost per call, and a sheet part may be tens of megabytes.
constexpr int kChunk = 64 * 1024;
// Zip entry flag bit 0: the entry is encrypted.
constexpr unsigned long kEncryptedEntry = 1;
constexpr int kAnyCase = 2;  // unzLocateFile: part names compare in any case, as OPC says

struct MemoryStream {
    std::string_view bytes;
    std::uint64_t position = 0;
};

voidpf ZCALLBACK OpenMemory(voidpf opaque, const void*, int) {
    return new MemoryStream{*static_cast<const std::string_view*>(opaque)};
}

uLong ZCALLBACK ReadMemory(voidpf, voidpf stream, void* into, uLong size) {
    auto& memory = *static_cast<MemoryStream*>(stream);
    const std::uint64_t left =
        memory.position < memory.bytes.size() ? memory.bytes.size() - memory.position : 0;
    const auto count = static_cast<uLong>(std::min<std::uint64_t>(size, left));
    if (count == 0) {
        return 0;
    }
    std::memcpy(into, memory.bytes.data() + memory.position, count);
    memory.position += count;
    return count;
}

uLong ZCALLBACK WriteMemory(voidpf, voidpf, const void*, uLong) {
    return 0;
}

ZPOS64_T ZCALLBACK TellMemory(voidpf, voidpf stream) {
    return static_cast<MemoryStream*>(stream)->position;
}

// As fseeko does, so that a package reads the same from memory as from its file: an offset
// from the current position or the end may be negative (minizip passes it unsigned), and a
// position past the end is allowed, reads there finding nothing.
long ZCALLBACK SeekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto& memory = *static_cast<MemoryStream*>(stream);
    std::uint64_t base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) {
        base = memory.position;
    } else if (origin == ZLIB_FILEFUNC_SEEK_END) {
        base = memory.bytes.size();
    }
    const std::uint64_t position = base + offset;  // modulo 2^64: a negative offset subtracts
    if (position > static_cast<std::uint64_t>(INT64_MAX) ||
        (static_cast<std::int64_t>(offset) < 0 ? position > base : position < base)) {
        return -1;
    }
    memory.position = position;
    return 0;
}

int ZCALLBACK CloseMemory(voidpf, voidpf stream) {
    delete static_cast<MemoryStream*>(stream);
    return 0;
}

int ZCALLBACK MemoryError(voidpf, voidpf) {
    return 0;
}

std::string CannotOpen(int error) {
    return "no se puede abrir el libro: " + ErrorText(error);
}

std::string_view LocalName(const char* name) {
    const char* local = name;
    const char* end = name;
    for (; *end != '\0'; ++end) {
        local = *end == ':' ? end + 1 : local;
    }
    return std::string_view(local, static_cast<std::size_t>(end - local));
}

}  // namespace

std::string Source::Read(std::uint64_t offset, std::size_t size) const {
    if (inMemory) {
        return offset < bytes.size() ? std::string(bytes.substr(offset, size)) : std::string();
    }
    std::string text;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        if (offset <= static_cast<std::uint64_t>(INT64_MAX) &&
            fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0) {
            text.resize(size);
            text.resize(std::fread(text.data(), 1, size, file));
        }
        std::fclose(file);
    }
    return text;
}

std::unique_ptr<Package> Package::Open(const Source& source, Failure& failure, std::string& error) {
    std::unique_ptr<Package> package(new Package);
    if (source.inMemory) {
        package->bytes_ = source.bytes;
        zlib_filefunc64_def memory{OpenMemory, ReadMemory,  WriteMemory, TellMemory,
                                   SeekMemory, CloseMemory, MemoryError, &package->bytes_};
        package->zip_ = unzOpen2_64("", &memory);
    } else {
        // Whether the file can be read at all is told apart from its not being a zip.
        std::FILE* file = std::fopen(source.path.c_str(), "rb");
        if (file == nullptr) {
            failure = Failure::CannotOpen;
            error = CannotOpen(errno);
            return nullptr;
        }
        std::fclose(file);
        package->zip_ = unzOpen64(source.path.c_str());
    }
    if (package->zip_ == nullptr) {
        failure = source.Read(0, 4) == "PK\x03\x04" ? Failure::Damaged : Failure::NotZip;
        return nullptr;
    }
    failure = Failure::None;
    return package;
}

Package::~Package() {
    if (zip_ != nullptr) {
        unzClose(zip_);
    }
}

bool Package::ReadPart(const std::string& name, std::size_t limit, std::string& text) {
    text.clear();
    unz_file_info64 info{};
    if (unzLocateFile(zip_, name.c_str(), kAnyCase) != UNZ_OK ||
        unzGetCurrentFileInfo64(zip_, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
        (info.flag & kEncryptedEntry) != 0 || unzOpenCurrentFile(zip_) != UNZ_OK) {
        return false;
    }
    char buffer[4096];
    int count = 0;
    while (text.size() < limit && (count = unzReadCurrentFile(zip_, buffer, sizeof buffer)) > 0) {
        text.append(buffer,
                    std::min<std::size_t>(static_cast<std::size_t>(count), limit - text.size()));
    }
    unzCloseCurrentFile(zip_);
    return count >= 0;
}

XmlPart::XmlPart() = default;

XmlPart::~XmlPart() {
    if (parser_ != nullptr) {
        XML_ParserFree(parser_);
    }
}

XmlPart::Opening XmlPart::Open(Package& package, const std::string& name) {
    unz_file_info64 info{};
    const int found = unzLocateFile(package.zip(), name.c_str(), kAnyCase);
    if (found == UNZ_END_OF_LIST_OF_FILE) {
        return Opening::Missing;
    }
    if (found != UNZ_OK || unzGetCurrentFileInfo64(package.zip(), &info, nullptr, 0, nullptr, 0,
                                                   nullptr, 0) != UNZ_OK) {
        failure_ = kDamaged;
        return Opening::Failed;
    }
    if ((info.flag & kEncryptedEntry) != 0) {
        failure_ = kProtected;
        return Opening::Failed;
    }
    if (unzOpenCurrentFile(package.zip()) != UNZ_OK) {
        failure_ = kDamaged;
        return Opening::Failed;
    }
    zip_ = package.zip();
    // A deflated part inflates to at most about a thousand times its size, whatever it says.
    size_ = std::min<std::uint64_t>(info.uncompressed_size, info.compression_method == 0
                                                                ? info.compressed_size
                                                                : info.compressed_size * 1032);
    // Small parts are read in one small chunk.
    chunk_ = static_cast<int>(std::clamp<std::uint64_t>(size_ + 1, 4096, kChunk));
    parser_ = XML_ParserCreate(nullptr);
    if (parser_ == nullptr) {
        failure_ = "no hay memoria para leer el libro";
        return Opening::Failed;
    }
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, OnStart, OnEnd);
    // Workbook parts have no document type; refusing one keeps entity expansion out.
    XML_SetStartDoctypeDeclHandler(parser_, OnDoctype);
    return Opening::Opened;
}

XmlPart::Step XmlPart::Parse() {
    while (!over_) {
        XML_Status status;
        if (suspended_) {
            suspended_ = false;
            status = XML_ResumeParser(parser_);
        } else {
            void* buffer = XML_GetBuffer(parser_, chunk_);
            const int count = buffer != nullptr ? unzReadCurrentFile(zip_, buffer, chunk_) : -1;
            if (count < 0) {
                failure_ = kDamaged;
                break;
            }
            final_ = count == 0;
            // A part whose bytes do not match their checksum is damaged, whatever it parsed to.
            if (final_ && unzCloseCurrentFile(zip_) != UNZ_OK) {
                failure_ = kDamaged;
                break;
            }
            status = XML_ParseBuffer(parser_, count, final_);
        }
        if (status == XML_STATUS_SUSPENDED) {
            suspended_ = true;
            return Step::Paused;
        }
        if (status == XML_STATUS_ERROR) {
            if (stopped_) {
                over_ = true;
                return Step::Ended;
            }
            if (failure_.empty()) {
                failure_ = kDamaged;
            }
            break;
        }
        if (final_) {
            over_ = true;
            return Step::Ended;
        }
    }
    over_ = true;
    return failure_.empty() ? Step::Ended : Step::Failed;
}

const char* XmlPart::Attribute(const char** attributes, std::string_view name) {
    for (; attributes[0] != nullptr; attributes += 2) {
        if (LocalName(attributes[0]) == name) {
            return attributes[1];
        }
    }
    return nullptr;
}

void XmlPart::Pause() {
    XML_StopParser(parser_, XML_TRUE);
}

void XmlPart::Stop() {
    stopped_ = true;
    XML_StopParser(parser_, XML_FALSE);
}

void XmlPart::Fail(std::string_view why) {
    if (failure_.empty()) {
        failure_ = why;
    }
    XML_StopParser(parser_, XML_FALSE);
}

void XmlPart::Collect(std::string* text) {
    text_ = text;
    XML_SetCharacterDataHandler(parser_, text != nullptr ? OnText : nullptr);
}

void XmlPart::Listen(bool on) {
    text_ = nullptr;
    XML_SetCharacterDataHandler(parser_, on ? OnListenedText : nullptr);
}

void XmlPart::OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
    static_cast<XmlPart*>(self)->Start(LocalName(name), attributes);
}

void XmlPart::OnEnd(void* self, const XML_Char* name) {
    static_cast<XmlPart*>(self)->End(LocalName(name));
}

void XmlPart::OnText(void* self, const XML_Char* text, int length) {
    static_cast<XmlPart*>(self)->text_->append(text, static_cast<std::size_t>(length));
}

void XmlPart::OnListenedText(void* self, const XML_Char* text, int length) {
    static_cast<XmlPart*>(self)->Characters(
        std::string_view(text, static_cast<std::size_t>(length)));
}

void XmlPart::OnDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    static_cast<XmlPart*>(self)->Fail(kDamaged);
}

bool StreamedSheet::Next(SheetRow& row) {
    if (Waiting(row)) {
        return true;
    }
    row_ = &row;
    made_ = false;
    while (!ended_) {
        const Step step = Parse();
        if (step == Step::Paused && made_) {
            return true;
        }
        if (step != Step::Paused) {
            ended_ = true;
            error_ = step == Step::Failed ? failure() : "";
        }
    }
    return false;
}

void StreamedSheet::RowMade() {
    made_ = true;
    Pause();
}

}  // namespace minizol::workbook
