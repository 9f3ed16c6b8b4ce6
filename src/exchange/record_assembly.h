// Output lines of the flat upload and orphan files: one record's values laid out by a reading or
// orphan map, in fixed-width columns or delimited.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/values.h"

namespace zav {

class clsExchMap;
struct MapField;

// One fixed-width line from the map's "Write to Destination" fields, in field order: each value is
// formatted (dates, times), trimmed when left-aligned, padded to its width with spaces or zeros,
// cut to its width (numbers keep their last digits, texts their start) and put at its position,
// over whatever an earlier field put there. A field the values lack is "0" (empty for text); with
// `reportDefaults` each such default is logged as "Warning: Defaulted <name> to <value>".
std::string AssembleFixed(const clsExchMap& map, const Values& InValues, bool reportDefaults);

// One delimited line: each value in the column of its DataPosition, the columns joined by the map's
// delimiter. Text values are quoted when the map has a quote text ("<none>": line breaks removed, no
// quotes). Defaults as AssembleFixed.
std::string AssembleDelimited(const clsExchMap& map, const Values& InValues, bool reportDefaults);

// By map type: 1 AssembleFixed, 2 AssembleDelimited; "" for other types. The line is then padded
// with spaces to the map's MapLength (a longer line stays whole) and followed by the terminator.
std::string AssembleRecord(const clsExchMap& map, const Values& InValues, bool reportDefaults);

// The map's fields written to the destination (their indexes in Fields(), in order), and how far their
// columns reach in a fixed-width line.
struct RecordLayout {
    std::vector<std::size_t> outputs;
    std::size_t reach = 0;
    static RecordLayout Of(const clsExchMap& map);
};

// The text of the value of map field `i` (`field`) of one record, as ValueText gives it: a view of text
// held elsewhere or written into `scratch`; nullopt when the record has no such value.
using FieldTextSource = std::optional<std::string_view> (*)(const void* context, std::size_t i,
                                                            const MapField& field, std::string& scratch);

// AssembleRecord for the many records of one database. From Values, it remembers where each output
// field stood in the values of the records before (records of one schema share one key order), so a
// record costs no search by name; values in another order are looked up by name. From a FieldTextSource,
// it lays out the texts the source gives, into a line whose storage is reused. The map's layout is
// taken once: the map stays as it is while the assembler is used.
class RecordAssembler {
  public:
    explicit RecordAssembler(const clsExchMap& map) : map_(map) {}
    // The line is valid until the next call.
    const std::string& Assemble(const Values& InValues, bool reportDefaults);
    void AssembleInto(std::string& line, FieldTextSource source, const void* context, bool reportDefaults);

  private:
    const clsExchMap& map_;
    std::vector<std::ptrdiff_t> slots_;  // per map field: its index in the values, -1 when not there
    std::string line_;                            // Assemble's line, storage reused
    std::string scratch_, formatted_, unbroken_;  // a field's texts on the way to the line, storage reused
    std::optional<RecordLayout> layout_;
};

// The bytes ending each output record: 1 CR, 2 LF, 3 CR LF, 4 one zero byte, otherwise none.
std::string_view RecordTerminator(int mapTerminator);

}  // namespace zav
