#pragma once

// What the .xlsx and .ods readers share: a zip package opened from a file or from memory, and
// one of its XML parts streamed through Expat in chunks, so that a handler can pause parsing
// when a row is complete and the rest of the part is read only as rows are asked for. Private
// to src/lists (and the fuzz target, which reads workbooks from memory).

#include <expat.h>
#include <minizip/unzip.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lists/sheet.h"

namespace minizol {

// Workbooks as bytes in memory, which must outlive the reader.
OpenedSheet OpenXlsxBytes(std::string_view bytes, const SheetChoice& choice);
OpenedSheet OpenOdsBytes(std::string_view bytes, const SheetChoice& choice);

namespace workbook {

inline constexpr std::string_view kDamaged = "el libro está dañado";
inline constexpr std::string_view kProtected = "el libro está protegido con contraseña";

// Where a workbook's bytes are: a file, or memory.
struct Source {
    std::string path;
    std::string_view bytes;
    bool inMemory = false;

    // Up to `size` bytes from `offset`: fewer at the end, none when unreadable.
    std::string Read(std::uint64_t offset, std::size_t size) const;
};

class Package {
  public:
    enum class Failure { None, CannotOpen, NotZip, Damaged };

    // The package, or nothing with `failure` (and, when it cannot be opened, `error`) saying why;
    // a file that starts as a zip but cannot be read as one (cut short, say) is damaged.
    static std::unique_ptr<Package> Open(const Source& source, Failure& failure,
                                         std::string& error);
    ~Package();
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    unzFile zip() const { return zip_; }
    // The whole of a small part (up to `limit` bytes), or false when it is missing or unreadable.
    bool ReadPart(const std::string& name, std::size_t limit, std::string& text);

  private:
    Package() = default;
    unzFile zip_ = nullptr;
    std::string_view bytes_;  // what a package in memory reads from
};

// One XML part read as it inflates. Handlers see element and attribute names without their
// namespace prefix ("x:c" as "c"): writers choose prefixes freely.
class XmlPart {
  public:
    enum class Opening { Opened, Missing, Failed };
    enum class Step { Paused, Ended, Failed };

    XmlPart();
    virtual ~XmlPart();
    XmlPart(const XmlPart&) = delete;
    XmlPart& operator=(const XmlPart&) = delete;

    // Finds part `name` of `package` (parts are named in any case) and starts reading it.
    Opening Open(Package& package, const std::string& name);
    // Parses on until a handler pauses, the part ends (or a handler stops it) or it fails.
    Step Parse();
    // The size the part says it inflates to, within what its compressed size allows: a bound on
    // the text in it, unless it lies.
    std::uint64_t size() const { return size_; }
    // Why the part could not be read, in Spanish.
    const std::string& failure() const { return failure_; }

    static const char* Attribute(const char** attributes, std::string_view name);

  protected:
    virtual void Start(std::string_view name, const char** attributes) = 0;
    virtual void End(std::string_view name) = 0;
    virtual void Characters(std::string_view) {}

    // From handlers: parsing stops, to go on with the next Parse(); stops for good; fails.
    void Pause();
    void Stop();
    void Fail(std::string_view why);
    // Character data appended to `text` from now on, or to nothing.
    void Collect(std::string* text);
    // Character data to Characters() from now on, or not.
    void Listen(bool on);

  private:
    static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes);
    static void OnEnd(void* self, const XML_Char* name);
    static void OnText(void* self, const XML_Char* text, int length);
    static void OnListenedText(void* self, const XML_Char* text, int length);
    static void OnDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int);

    XML_Parser parser_ = nullptr;
    unzFile zip_ = nullptr;
    std::string* text_ = nullptr;
    std::string failure_;
    std::uint64_t size_ = 0;
    int chunk_ = 0;
    bool suspended_ = false;
    bool final_ = false;
    bool stopped_ = false;
    bool over_ = false;
};

// A sheet read from an XML part as rows are asked for: its handlers make each row in the
// caller's, and pause at its end with RowMade().
class StreamedSheet : public SheetReader, protected XmlPart {
  public:
    bool Next(SheetRow& row) override;
    const std::string& error() const override { return error_; }

  protected:
    void RowMade();
    // A row made before it is asked for (an .ods writes a row once for several the same).
    virtual bool Waiting(SheetRow&) { return false; }

    SheetRow* row_ = nullptr;

  private:
    std::string error_;
    bool made_ = false;
    bool ended_ = false;
};

}  // namespace workbook
}  // namespace minizol
