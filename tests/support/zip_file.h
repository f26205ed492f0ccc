#pragma once

#include <minizip/zip.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace minizol::testing {

struct ZipPart {
    std::string name;
    std::string data;
    bool encrypted = false;  // with a password, as a zip tool would
};

// A zip file of `parts` in the temporary folder, written with minizip, removed when it goes.
class ZipFile {
  public:
    explicit ZipFile(const std::vector<ZipPart>& parts, bool deflated = true) {
        std::string name = (std::filesystem::temp_directory_path() / "minizol-XXXXXX").string();
        const int fd = mkstemp(name.data());
        if (fd >= 0) {
            close(fd);
        }
        path_ = name;
        zipFile zip = zipOpen64(path_.c_str(), APPEND_STATUS_CREATE);
        for (const ZipPart& part : parts) {
            const auto size = static_cast<unsigned>(part.data.size());
            const auto* bytes = reinterpret_cast<const Bytef*>(part.data.data());
            zip_fileinfo info{};
            zipOpenNewFileInZip3_64(zip, part.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                    deflated ? Z_DEFLATED : 0, Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS,
                                    DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY,
                                    part.encrypted ? "secreto" : nullptr, crc32(0, bytes, size), 0);
            zipWriteInFileInZip(zip, part.data.data(), size);
            zipCloseFileInZip(zip);
        }
        zipClose(zip, nullptr);
    }
    ~ZipFile() { std::remove(path_.c_str()); }
    ZipFile(const ZipFile&) = delete;
    ZipFile& operator=(const ZipFile&) = delete;

    const std::string& path() const { return path_; }

    std::string Bytes() const {
        std::ifstream file(path_, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }

  private:
    std::string path_;
};

}  // namespace minizol::testing
