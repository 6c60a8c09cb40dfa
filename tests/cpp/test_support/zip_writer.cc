#include "test_support/zip_writer.h"

#include <minizip/zip.h>

#include <stdexcept>

namespace test_support {

void WriteZip(const std::string& path, const std::vector<ZipEntry>& entries) {
  zipFile zip = zipOpen(path.c_str(), APPEND_STATUS_CREATE);
  if (!zip)
    throw std::runtime_error("cannot create " + path);
  for (const ZipEntry& entry : entries) {
    zip_fileinfo info = {};
    bool ok = zipOpenNewFileInZip(zip, entry.name.c_str(), &info, nullptr, 0,
                                  nullptr, 0, nullptr, Z_DEFLATED,
                                  Z_DEFAULT_COMPRESSION) == ZIP_OK;
    ok = ok && (entry.data.empty() ||
                zipWriteInFileInZip(zip, entry.data.data(),
                                    static_cast<unsigned>(entry.data.size())) ==
                    ZIP_OK);
    ok = ok && zipCloseFileInZip(zip) == ZIP_OK;
    if (!ok) {
      zipClose(zip, nullptr);
      throw std::runtime_error("cannot write entry " + entry.name);
    }
  }
  if (zipClose(zip, nullptr) != ZIP_OK)
    throw std::runtime_error("cannot finish " + path);
}

}  // namespace test_support
