// Our converter behind Txt2Prc: a prepared Shift-JIS text file into a PalmDOC database (type
// "TEXt", creator "REAd"), the handheld e-book form the MeDoc export hands to its reader.
#ifndef PLOTWEAVE_PLATFORM_PALM_DOC_H_
#define PLOTWEAVE_PLATFORM_PALM_DOC_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"

namespace pw {

// Uncompressed bytes of text per record at most; a record ends earlier rather than split a
// double-byte character.
inline constexpr size_t kPalmDocRecordSize = 4096;
// A database name holds 31 bytes and a terminating NUL.
inline constexpr size_t kPalmDbNameLength = 31;
// Record 0 is the document header, so this many text records fit the 16-bit record count.
inline constexpr size_t kPalmDocMaxTextRecords = 65534;
// Seconds from the Palm epoch (1904-01-01) to the Unix epoch.
inline constexpr uint32_t kPalmEpochOffset = 2082844800u;

struct PalmDocOptions {
  bool compress = true;      // PalmDOC compression; otherwise the text is stored as it is
  bool backup = false;       // the database's backup attribute, so a HotSync keeps a copy
  uint32_t palm_time = 0;    // creation and modification time, seconds since 1904
};

// The CP932 title cut to at most 31 bytes without splitting a character; a NUL ends it early.
std::string PalmDbName(std::string_view title);

// Where the text records end: offsets into `text`, each record at most kPalmDocRecordSize bytes
// and never ending between the two bytes of a double-byte character.
std::vector<size_t> PalmDocRecordEnds(std::string_view text);

// One record of text in PalmDOC compression: back-references of 3 to 10 bytes within the
// record, a space and a following ASCII character as one byte, and every byte of 0x80 and above
// (and 0x01-0x08) behind a literal-count byte, as the decoders expect.
std::string CompressPalmDocRecord(std::string_view text);

// The inverse, used by the tests; malformed input decodes as far as it makes sense.
std::string DecompressPalmDocRecord(std::string_view record);

// The whole database file. Fails when the text needs more records than a database holds.
Status BuildPalmDoc(std::string_view text, std::string_view title, const PalmDocOptions& options,
                    std::string* database);

// The converter call of the MeDoc export: reads the text file `source_path`, writes the database
// to `database_path` (replacing it atomically) named `title` (CP932). `compress` non-zero asks
// for PalmDOC compression, `backup` non-zero sets the backup attribute. The paths are the file
// system's (UTF-8); the message of a failure is the system's or says what was too large.
Status Txt2Prc(const char* source_path, const char* database_path, const char* title, int compress,
               int backup);

}  // namespace pw

#endif  // PLOTWEAVE_PLATFORM_PALM_DOC_H_
