#include "hostformats/host_file.h"

#include <cerrno>
#include <cmath>
#include <cstring>

#include "core/errors.h"
#include "core/frontend.h"
#include "core/identity.h"
#include "core/number.h"

namespace zav {

std::vector<std::unique_ptr<clsRecType>> DeclareRecordTypes(const std::vector<HostRecordLayout>& layouts) {
    std::vector<std::unique_ptr<clsRecType>> types;
    for (const HostRecordLayout& layout : layouts) {
        for (std::string_view id : layout.ids) {
            auto type = std::make_unique<clsRecType>();
            type->SetID(1, static_cast<std::int16_t>(id.size()), std::string(id));
            for (const HostFieldLayout& field : layout.fields)
                type->AddField(std::string(field.name), field.kind, 0, field.width);
            types.push_back(std::move(type));
        }
    }
    return types;
}

std::uint32_t HostFileReader::LeadingKey(std::string_view text) {
    std::uint32_t key = 0;
    if (text.size() >= 4) {
        std::memcpy(&key, text.data(), 4);
    } else {
        for (std::size_t i = 0; i < text.size(); ++i)
            key |= std::uint32_t{static_cast<unsigned char>(text[i])} << (8 * i);
    }
    return key;
}

HostFileReader::HostFileReader(const std::vector<HostRecordLayout>& layouts, bool catchAll)
    : types_(DeclareRecordTypes(layouts)) {
    if (catchAll) catchAll_ = types_.back().get();  // never tested by its identifier
    // Each line is tested only against the types whose identifier starts with its first character,
    // in declaration order; a type without such an identifier is tested for every line.
    // An identifier of up to four characters at the start of the line is compared as one number.
    for (const auto& type : types_) {
        if (type.get() == catchAll_) continue;
        Candidate candidate{0, 0, 0, type.get()};
        const auto length = static_cast<std::size_t>(type->RILen);
        if (type->RIPos == 1 && length >= 1 && length <= 4 && type->RIValue.size() == length) {
            candidate.length = length;
            candidate.mask = length == 4 ? ~std::uint32_t{0} : (std::uint32_t{1} << (8 * length)) - 1;
            candidate.key = LeadingKey(type->RIValue) & candidate.mask;
        }
        if (type->RIPos == 1 && type->RILen >= 1 && !type->RIValue.empty()) {
            byFirst_[static_cast<unsigned char>(type->RIValue[0])].push_back(candidate);
        } else {
            for (auto& candidates : byFirst_) candidates.push_back(candidate);
        }
    }
}

bool HostFileReader::OpenFile(const std::filesystem::path& fileName) {
    std::error_code ec;
    if (!std::filesystem::exists(fileName, ec)) return false;
    file_.reset();
    file_.emplace(fileName);
    lineNo_ = 0;
    line_ = {};
    positionFrom_ = positionUntil_ = 0;  // worked out at the first call
    return true;
}

clsRecType* HostFileReader::ReadNext() {
    clsRecType* type = ReadNextType();
    if (type != nullptr) type->Parse(line_);
    return type;
}

clsRecType* HostFileReader::ReadNextType() {
    if (!file_ || file_->AtEnd()) return nullptr;
    try {
        file_->ReadLine(line_);
        ++lineNo_;
        if (line_.empty()) {
            for (const auto& type : types_)
                if (type.get() != catchAll_ && type->TestID(line_)) return type.get();
        } else {
            const std::uint32_t key = LeadingKey(line_);
            for (const Candidate& candidate : byFirst_[static_cast<unsigned char>(line_[0])]) {
                if (candidate.length == 0 ? candidate.type->TestID(line_)
                                          : (key & candidate.mask) == candidate.key && line_.size() >= candidate.length)
                    return candidate.type;
            }
        }
        if (catchAll_ != nullptr) return catchAll_;
    } catch (const RuntimeError& e) {
        CurrentFrontend().ShowMessage("Error in Readnext: " + e.Description(), kAppTitle);
    }
    return nullptr;
}

std::int16_t HostFileReader::PositionMoved() const {
    if (!file_) return 0;
    const std::uintmax_t blocks = (file_->Size() + 127) / 128;
    if (blocks == 0) return 0;
    const std::uintmax_t block = file_->Position() / 128;
    const auto shown =
        static_cast<std::int16_t>(RoundHalfEven(static_cast<double>(block) * 255 / static_cast<double>(blocks)));
    // The same figure up to the first block whose exact share reaches the next half: block * 255 / blocks
    // below shown + 0.5 rounds to no more than shown.
    positionFrom_ = block;
    positionUntil_ = ((2 * static_cast<std::uintmax_t>(shown < 0 ? 0 : shown) + 1) * blocks + 509) / 510;
    position255_ = shown;
    return shown;
}

clsRecType* HostFileReader::RecordType(std::string_view id) const {
    for (const auto& type : types_)
        if (type->RIValue == id) return type.get();
    return nullptr;
}

HostFileWriter::HostFileWriter(const std::vector<HostRecordLayout>& layouts, int padTo)
    : types_(DeclareRecordTypes(layouts)), padTo_(padTo) {}

HostFileWriter::~HostFileWriter() { Close(); }

bool HostFileWriter::CreateFile(const std::filesystem::path& fileName) {
    Close();
    failed_ = false;
    try {
        file_.emplace(fileName, FileWriter::Mode::Replace);
    } catch (const RuntimeError& e) {
        CurrentFrontend().ShowMessage(ErrorDescription(e.Number()), kAppTitle);
        return false;
    }
    return true;
}

clsRecType* HostFileWriter::SetupRecord(std::string_view recordType) {
    for (const auto& type : types_) {
        if (type->RIValue == recordType) {
            type->Init();
            return type.get();
        }
    }
    return nullptr;
}

int HostFileWriter::WriteRecord(clsRecType& record) {
    record.SetText(record.FieldIndex("RecID"), record.RIValue);
    record.AssembleInto(line_, padTo_);
    line_ += "\r\n";
    if (file_ && !failed_) {
        try {
            file_->Write(line_);
        } catch (const RuntimeError&) {
            failed_ = true;
        }
    }
    return static_cast<int>(record.CutFields().size());
}

bool HostFileWriter::Close() {
    if (!file_) return !failed_;
    try {
        file_->Close();
    } catch (const RuntimeError&) {
        failed_ = true;
    }
    file_.reset();
    return !failed_;
}

}  // namespace zav
