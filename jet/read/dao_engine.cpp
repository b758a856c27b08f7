#include <iconv.h>

#include <memory>

#include "jet/read/code_page.h"
#include "jet/read/dao.h"
#include "jet/read/dao_database.h"
#include "jet/check/file_check.h"
#include "jet/format/jet_errors.h"
#include "jet/read/libmdb.h"
#include "services/error.h"

namespace vorelka::jet {
namespace {

constexpr const char* kUtf8 = "UTF-8";
// Jet 4 and the ACE formats store text as UCS-2 (some of it compressed,
// which libmdb expands first).
constexpr const char* kJet4TextCharset = "UCS-2LE";
const iconv_t kNoConversion = reinterpret_cast<iconv_t>(-1);

// libmdb picks the text conversion from environment variables (MDBICONV,
// MDB_JET3_CHARSET) when it opens a file. The file's own header decides
// here: text always comes out as UTF-8, and Jet 3 text is read in the code
// page the header names.
void ConvertTextByHeader(MdbHandle* mdb) {
  const char* stored = IS_JET3(mdb) ? IconvNameOfCodePage(mdb->f->code_page) : kJet4TextCharset;
  mdb_iconv_close(mdb);
  mdb->iconv_in = iconv_open(kUtf8, stored);
  mdb->iconv_out = iconv_open(stored, kUtf8);
  if (mdb->iconv_in == kNoConversion) {
    // A code page this system's iconv lacks: read it as Western text.
    if (mdb->iconv_out != kNoConversion) iconv_close(mdb->iconv_out);
    mdb->iconv_in = iconv_open(kUtf8, IconvNameOfCodePage(0));
    mdb->iconv_out = iconv_open(IconvNameOfCodePage(0), kUtf8);
  }
}

}  // namespace

DBEngine::DBEngine() = default;
DBEngine::~DBEngine() = default;

std::unique_ptr<Database> DBEngine::OpenDatabase(const std::string& path) {
  JetFileFacts file = CheckJetFile(path);
  // Read-only: libmdb opens the file for reading alone and writes nothing,
  // not even a lock file.
  std::unique_ptr<MdbHandle, void (*)(MdbHandle*)> mdb(
      mdb_open(file.absolute_path.c_str(), MDB_NOFLAGS), mdb_close);
  if (mdb == nullptr) {
    services::Raise(kErrUnrecognizedFormat,
                    "Unrecognized database format '" + path + "': libmdb cannot read its header.");
  }
  ConvertTextByHeader(mdb.get());
  auto database = std::make_unique<LibmdbDatabase>(mdb.get(), std::move(file), path);
  mdb.release();  // the database owns it now
  return database;
}

}  // namespace vorelka::jet
