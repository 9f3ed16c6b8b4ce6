// What the host file readers and writers share: a reader that hands back each line as the parsed record
// of its type, and a writer that assembles records into fixed-width lines. The MVRS and E5000 classes
// are these with their own layouts.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_io.h"
#include "core/line_read_ahead.h"
#include "core/file_writer.h"
#include "hostformats/host_layouts.h"
#include "hostformats/rec_type.h"

namespace zav {

// Declares one record type per identifier of `layouts`, in their order (identifier at column 1, fields
// appended one after the other).
std::vector<std::unique_ptr<clsRecType>> DeclareRecordTypes(const std::vector<HostRecordLayout>& layouts);

class HostFileReader {
  public:
    HostFileReader(const HostFileReader&) = delete;
    HostFileReader& operator=(const HostFileReader&) = delete;
    virtual ~HostFileReader() = default;

    // False (opening nothing) when no file of that name exists. THROWS RuntimeError when an existing
    // file cannot be read.
    bool OpenFile(const std::filesystem::path& fileName);
    // The next line as the parsed record of the first type whose identifier it carries; nullptr at the
    // end of the file and, for a reader without a catch-all type, for a line of no known type (the line
    // counts as read and the next call continues after it). The record is reused by later calls.
    clsRecType* ReadNext();
    // ReadNext without parsing the line: its record type, whose values still are those of the line it
    // parsed before (Parse(LastLine()) reads them). A pass that looks at few records parses only those.
    clsRecType* ReadNextType();
    // Progress through the file from 0 to 255.
    std::int16_t Position255() const {
        // Asked after every line: worked out again only when the position may show another figure.
        if (file_) {
            const std::uintmax_t block = file_->Position() / 128;
            if (block >= positionFrom_ && block < positionUntil_) return position255_;
        }
        return PositionMoved();
    }
    // Lines read so far: the line number of the record last returned.
    std::int32_t LineNo() const { return lineNo_; }
    // The line last read (also one that matched no type), valid until the next ReadNext; and whether the
    // whole file has been read.
    std::string_view LastLine() const { return line_; }
    bool AtEnd() const { return !file_ || file_->AtEnd(); }
    // The reader's record type of identifier `id`, or nullptr.
    clsRecType* RecordType(std::string_view id) const;

  protected:
    // With `catchAll`, the last layout receives every line that no other type matches.
    HostFileReader(const std::vector<HostRecordLayout>& layouts, bool catchAll);

  private:
    std::vector<std::unique_ptr<clsRecType>> types_;
    clsRecType* catchAll_ = nullptr;
    // A type a line may be: with `length` 1 to 4, its identifier is the line's first `length` characters,
    // read as a number (LeadingKey) and masked; with 0, TestID decides.
    struct Candidate {
        std::uint32_t key, mask;
        std::size_t length;
        clsRecType* type;
    };
    // The first four characters of `text` as a number, the first in the lowest byte (0 past the end).
    static std::uint32_t LeadingKey(std::string_view text);
    std::array<std::vector<Candidate>, 256> byFirst_;  // the types a line may be, by its first character
    std::optional<LineReadAhead> file_;  // read a block at a time, on a second core: memory stays the same for any size
    std::string_view line_;  // in the reader's buffer: each line is copied once, into its record
    std::int32_t lineNo_ = 0;
    // Position255 without a shortcut; it notes the 128-byte blocks [positionFrom_, positionUntil_) that
    // show position255_.
    std::int16_t PositionMoved() const;
    mutable std::uintmax_t positionFrom_ = 0, positionUntil_ = 0;
    mutable std::int16_t position255_ = 0;
};

class HostFileWriter {
  public:
    // A writer of records of `layouts`, every line padded to `padTo` characters (none for 0). The MVRS and
    // E5000 upload writers are this with their layouts; with a download's layouts it writes route files.
    HostFileWriter(const std::vector<HostRecordLayout>& layouts, int padTo);
    HostFileWriter(const HostFileWriter&) = delete;
    HostFileWriter& operator=(const HostFileWriter&) = delete;
    virtual ~HostFileWriter();

    // Creates (or replaces) the file; false after showing the failure's description in a message box.
    bool CreateFile(const std::filesystem::path& fileName);
    // The record type of identifier `recordType` (exact), its values cleared; nullptr for an unknown one.
    clsRecType* SetupRecord(std::string_view recordType);
    // Sets "RecID", assembles the line padded to the format's line length and writes it with CR LF.
    // Returns the number of number fields whose values were too wide for their field (0 normally); the
    // record's CutFields() names them.
    int WriteRecord(clsRecType& record);
    // Writes what is buffered and closes the file; false when writing failed (here or before).
    bool Close();

  private:
    std::vector<std::unique_ptr<clsRecType>> types_;
    int padTo_;
    std::string line_;  // the line being written, its storage reused
    std::optional<FileWriter> file_;
    bool failed_ = false;  // a write failed; Close reports it
};

}  // namespace zav
