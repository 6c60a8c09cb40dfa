#include "test_support/cef_zip_archive.h"

#include <algorithm>
#include <vector>

#include "include/cef_stream.h"
#include "include/cef_zip_reader.h"

namespace {

// Entries are read in pieces rather than into a buffer of the size that the
// archive declares, so that a forged size cannot claim memory on its own.
constexpr size_t kReadPieceSize = 65536;

// Names are kept and looked up in lower case (ASCII letters only, as the
// C locale lower-cases on Windows).
CefString ToLowerName(const CefString& name) {
  base::string16 lower = name.ToString16();
  for (base::char16& c : lower) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<base::char16>(c - 'A' + 'a');
  }
  return CefString(lower);
}

class ZipFile : public CefZipArchive::File {
 public:
  explicit ZipFile(std::vector<unsigned char> data) : data_(std::move(data)) {}

  const unsigned char* GetData() const override { return data_.data(); }
  size_t GetDataSize() const override { return data_.size(); }
  CefRefPtr<CefStreamReader> GetStreamReader() const override {
    return CefStreamReader::CreateForData(
        const_cast<unsigned char*>(data_.data()), data_.size());
  }

 private:
  const std::vector<unsigned char> data_;
  IMPLEMENT_REFCOUNTING(ZipFile);
};

// Reads the open entry up to its declared size. What could be read is kept:
// a read that fails or ends early ends the entry there, and a checksum that
// does not match (CloseFile's answer) is not looked at.
std::vector<unsigned char> ReadOpenEntry(CefRefPtr<CefZipReader> reader,
                                         int64 declared_size) {
  std::vector<unsigned char> data;
  std::vector<unsigned char> piece(kReadPieceSize);
  while (static_cast<int64>(data.size()) < declared_size) {
    const int64 left = declared_size - static_cast<int64>(data.size());
    const size_t wanted = static_cast<size_t>(
        std::min<int64>(left, static_cast<int64>(piece.size())));
    const int read = reader->ReadFile(piece.data(), wanted);
    if (read <= 0)
      break;
    data.insert(data.end(), piece.begin(), piece.begin() + read);
  }
  reader->CloseFile();
  return data;
}

}  // namespace

CefZipArchive::CefZipArchive() {}

CefZipArchive::~CefZipArchive() {}

size_t CefZipArchive::Load(CefRefPtr<CefStreamReader> stream,
                           const CefString& password,
                           bool overwriteExisting) {
  base::AutoLock lock(lock_);
  CefRefPtr<CefZipReader> reader = CefZipReader::Create(stream);
  if (!reader || !reader->MoveToFirstFile())
    return 0;
  size_t loaded = 0;
  do {
    // Folders and empty files alike have no bytes and are left out.
    const int64 size = reader->GetFileSize();
    if (size <= 0)
      continue;
    // An entry that does not open ends the loading, even one that would be
    // passed over; what came before it stays.
    if (!reader->OpenFile(password))
      break;
    const CefString name = ToLowerName(reader->GetFileName());
    if (!overwriteExisting && contents_.count(name))
      continue;
    contents_[name] = new ZipFile(ReadOpenEntry(reader, size));
    ++loaded;
  } while (reader->MoveToNextFile());
  reader->Close();
  return loaded;
}

void CefZipArchive::Clear() {
  base::AutoLock lock(lock_);
  contents_.clear();
}

size_t CefZipArchive::GetFileCount() const {
  base::AutoLock lock(lock_);
  return contents_.size();
}

bool CefZipArchive::HasFile(const CefString& fileName) const {
  base::AutoLock lock(lock_);
  return contents_.count(ToLowerName(fileName)) > 0;
}

CefRefPtr<CefZipArchive::File> CefZipArchive::GetFile(
    const CefString& fileName) const {
  base::AutoLock lock(lock_);
  auto found = contents_.find(ToLowerName(fileName));
  return found == contents_.end() ? nullptr : found->second;
}

bool CefZipArchive::RemoveFile(const CefString& fileName) {
  base::AutoLock lock(lock_);
  return contents_.erase(ToLowerName(fileName)) > 0;
}

size_t CefZipArchive::GetFiles(FileMap& map) const {
  base::AutoLock lock(lock_);
  map = contents_;
  return contents_.size();
}
