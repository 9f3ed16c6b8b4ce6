#include "palmdb/palm_db.h"

#include <algorithm>
#include <cstring>

#include "core/errors.h"
#include "core/frontend.h"
#include "core/identity.h"
#include "core/text.h"
#include "palmdb/palm_file_pdb.h"
#include "palmdb/palm_file_vfs.h"

namespace zav {

namespace {

int FieldSize(std::int32_t type) {
    switch (type) {
        case kFieldInt8:
            return 1;
        case kFieldInt16:
            return 2;
        case kFieldInt32:
            return 4;
        default:
            return 0;
    }
}

// `value` as text without zero bytes.
std::string TextWithoutZeros(std::string_view value) {
    std::string text(value);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}

}  // namespace

namespace {

// Upper case of one byte, with the common ASCII case inline.
inline unsigned char FoldCase(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80) return u >= 'a' && u <= 'z' ? static_cast<unsigned char>(u - 32) : u;
    return static_cast<unsigned char>(UpperChar(c));
}

}  // namespace

std::size_t clsPalmDB::NoCaseHash::operator()(std::string_view s) const {
    std::size_t h = 14695981039346656037ull;
    for (const char c : s) h = (h ^ FoldCase(c)) * 1099511628211ull;
    return h;
}

bool clsPalmDB::NoCaseEqual::operator()(std::string_view a, std::string_view b) const {
    if (a.size() != b.size()) return false;
    if (a == b) return true;  // names are mostly written as declared
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

clsPalmDB::clsPalmDB() = default;
clsPalmDB::~clsPalmDB() = default;

void clsPalmDB::ClearSchema() {
    fields_.clear();
    firstOfName_.clear();
    byName_.clear();
    names_.Clear();
    fixedSize_ = 0;
    textCount_ = 0;
}

void clsPalmDB::AddField(std::int32_t fieldType, std::string_view fieldName, std::int32_t position) {
    Field field;
    field.FieldType = fieldType;
    field.FieldName = std::string(Trim(fieldName));
    if (fieldType == kFieldText) {
        field.position = ++textCount_;
    } else {
        const int size = FieldSize(fieldType);
        field.position = position >= 0 ? position : fixedSize_;
        if (position < 0 && static_cast<std::int64_t>(fixedSize_) + size > 65535) throw RuntimeError(kErrOverflow);
        if (position >= 0 && static_cast<std::int64_t>(position) + size > 65535) throw RuntimeError(kErrOverflow);
        fixedSize_ = std::max(fixedSize_, field.position + size);
    }
    fields_.push_back(std::move(field));
    firstOfName_.push_back(byName_.emplace(fields_.back().FieldName, static_cast<int>(fields_.size())).second);
}

int clsPalmDB::FindItem(int index) const { return index >= 1 && index <= FieldCount() ? index : 0; }

int clsPalmDB::FindItem(std::string_view name) const {
    const auto nameAt = [this](int index) -> const std::string& { return fields_[index - 1].FieldName; };
    if (const int known = names_.Find(name, nameAt); known > 0) return known;
    const auto it = byName_.find(name);
    if (it == byName_.end()) return 0;
    names_.Remember(name, it->second);
    return it->second;
}

const std::string& clsPalmDB::FieldName(int index) const { return FieldAt(index).FieldName; }

const clsPalmDB::Field& clsPalmDB::FieldAt(int index) const {
    if (FindItem(index) == 0) throw RuntimeError(kErrSubscript);
    return fields_[static_cast<std::size_t>(index) - 1];
}

Value clsPalmDB::ItemAt(int index) const {
    if (index == 0) return {};
    const Field& f = fields_[static_cast<std::size_t>(index) - 1];
    switch (f.FieldType) {
        case kFieldText:
            return GetString(f.position);
        case kFieldInt8:
            return static_cast<std::int16_t>(GetInt8(f.position));
        case kFieldInt16:
            return GetInt16(f.position);
        case kFieldInt32:
            return GetInt32(f.position);
        default:
            return {};
    }
}

void clsPalmDB::SetItem(std::string_view key, const Value& value) {
    const int index = FindItem(key);
    if (index == 0) {
        CurrentFrontend().ShowMessage(std::string(key) + " not valid field in Record", kAppTitle);
        return;
    }
    SetItemAt(index, value);
}

void clsPalmDB::SetItem(int index, const Value& value) {
    if (FindItem(index) == 0) {
        CurrentFrontend().ShowMessage(std::to_string(index) + " not valid field in Record", kAppTitle);
        return;
    }
    SetItemAt(index, value);
}

void clsPalmDB::SetItemAt(int index, const Value& value) {
    const Field& f = fields_[static_cast<std::size_t>(index) - 1];
    try {
        StoreField(f, value);
    } catch (const RuntimeError& e) {
        // A value too large for its field says which field it was.
        if (e.Number() != kErrOverflow) throw;
        throw RuntimeError(kErrOverflow, "Overflow in field " + f.FieldName);
    }
}

void clsPalmDB::StoreField(const Field& f, const Value& value) {
    switch (f.FieldType) {
        case kFieldText:
            if (const auto* text = std::get_if<std::string>(&value))
                SetString(f.position, *text);
            else
                SetString(f.position, ValueText(value));
            break;
        case kFieldInt8:
            SetInt8(f.position, value);
            break;
        case kFieldInt16:
            SetInt16(f.position, value);
            break;
        case kFieldInt32:
            SetInt32(f.position, value);
            break;
        default:
            break;  // a field of size 0 holds nothing
    }
}

void clsPalmDB::TextSpans(std::vector<std::string_view>& out) const {
    out.clear();
    const std::string_view rec(record_);
    std::size_t pos = static_cast<std::size_t>(fixedSize_);
    bool more = pos <= rec.size();
    for (int i = 0; i < textCount_; ++i) out.push_back(NextRecordText(rec, pos, more));
}

Values clsPalmDB::GetValues() const {
    Values values;
    values.Reserve(fields_.size());
    std::vector<std::string_view> texts;
    TextSpans(texts);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (!firstOfName_[i]) continue;  // a later field of the same name is reached by position only
        const Field& f = fields_[i];
        Value v;
        switch (f.FieldType) {
            case kFieldText:
                v = std::string(texts[static_cast<std::size_t>(f.position) - 1]);
                break;
            case kFieldInt8:
                v = static_cast<std::int16_t>(GetInt8(f.position));
                break;
            case kFieldInt16:
                v = GetInt16(f.position);
                break;
            case kFieldInt32:
                v = GetInt32(f.position);
                break;
            default:
                break;
        }
        values.Append(f.FieldName, std::move(v));
    }
    return values;
}

namespace {

// Stores `length` bytes of `value` at `offset` of `record`.
int StoreBytes(std::string& record, int offset, const Value& value, int length) {
    if (offset < 0 || static_cast<std::size_t>(offset) + length > record.size()) throw RuntimeError(kErrInvalidCall);
    const auto bytes = ValueToBytes(value, length);
    std::memcpy(record.data() + offset, bytes.data(), static_cast<std::size_t>(length));
    return offset + length;
}

std::int32_t LoadNumber(const std::string& record, int offset, int length) {
    if (offset < 0 || static_cast<std::size_t>(offset) + length > record.size()) return 0;
    return BytesToNumber(record, static_cast<std::size_t>(offset), length);
}

}  // namespace

int clsPalmDB::SetInt8(int offset, const Value& value) { return StoreBytes(record_, offset, value, 1); }

int clsPalmDB::SetInt16(int offset, const Value& value) {
    if (offset >= 0 && record_.size() == static_cast<std::size_t>(offset)) record_.append(2, '\0');
    return StoreBytes(record_, offset, value, 2);
}

int clsPalmDB::SetInt32(int offset, const Value& value) { return StoreBytes(record_, offset, value, 4); }

std::int32_t clsPalmDB::GetInt8(int offset) const { return LoadNumber(record_, offset, 1); }
std::int32_t clsPalmDB::GetInt16(int offset) const { return LoadNumber(record_, offset, 2); }
std::int32_t clsPalmDB::GetInt32(int offset) const { return LoadNumber(record_, offset, 4); }

void clsPalmDB::SetString(int ordinal, std::string_view value) {
    // The part after the fixed area splits at every zero byte into pieces; piece `ordinal` is replaced
    // and the pieces joined again, which is replacing its bytes in place.
    const std::size_t fixed = static_cast<std::size_t>(fixedSize_);
    if (ordinal < 1 || record_.size() <= fixed) throw RuntimeError(kErrSubscript);
    // Texts are short: a plain scan beats a library search call per text.
    const char* bytes = record_.data();
    const std::size_t size = record_.size();
    std::size_t begin = fixed;
    for (int skip = ordinal - 1; skip > 0; ++begin) {
        if (begin >= size) throw RuntimeError(kErrSubscript);
        if (bytes[begin] == '\0') --skip;
    }
    std::size_t end = begin;
    while (end < size && bytes[end] != '\0') ++end;
    if (value.find('\0') == std::string_view::npos)
        record_.replace(begin, end - begin, value);
    else
        record_.replace(begin, end - begin, TextWithoutZeros(value));
}

std::string clsPalmDB::GetString(int ordinal) const {
    std::size_t pos = static_cast<std::size_t>(fixedSize_);
    if (ordinal < 1 || pos > record_.size()) return "";
    for (int i = 1; i < ordinal; ++i) {
        const std::size_t zero = record_.find('\0', pos);
        if (zero == std::string::npos) return "";
        pos = zero + 1;
    }
    const std::size_t end = record_.find('\0', pos);
    return record_.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
}

int clsPalmDB::AppendString(int offset, std::string_view value, bool padEven) {
    if (offset < 0) throw RuntimeError(kErrInvalidCall);
    record_.resize(std::min(record_.size(), static_cast<std::size_t>(offset)));
    record_ += TextWithoutZeros(value);
    record_ += '\0';
    if (padEven && record_.size() % 2 != 0) record_ += '\0';
    return static_cast<int>(record_.size());
}

std::int16_t clsPalmDB::CreateDB(int type, const std::filesystem::path& name, const std::string& title,
                                 const std::string& creator, const std::string& dbType, std::int32_t presize,
                                 const std::string& appInfo, const std::string& sortInfo) {
    file_.reset();
    type_ = type;
    if (type == kContainerPDB)
        file_ = std::make_unique<clsPalmFilePDB>();
    else
        file_ = std::make_unique<clsPalmFileVFS>();
    return file_->CreateFile(name, title, creator, dbType, presize, appInfo, sortInfo);
}

std::int16_t clsPalmDB::OpenDB(const std::filesystem::path& name, int type) {
    file_.reset();
    if (type == -1) {
        if (clsPalmFileVFS().TestFileType(name)) {
            type = kContainerVFS;
        } else {
            // The Palm database test is a full open: keep the object it opened rather than open twice.
            auto pdb = std::make_unique<clsPalmFilePDB>();
            if (pdb->OpenFile(name) != 0) return -1;
            type_ = kContainerPDB;
            file_ = std::move(pdb);
            return 0;
        }
    }
    type_ = type;
    if (type == kContainerVFS)
        file_ = std::make_unique<clsPalmFileVFS>();
    else
        file_ = std::make_unique<clsPalmFilePDB>();
    const std::int16_t result = file_->OpenFile(name);
    if (result != 0) file_.reset();
    return result;
}

void clsPalmDB::CloseDB() {
    if (!file_) return;
    std::unique_ptr<IPalmFile> file = std::move(file_);
    file->CloseFile();
}

void clsPalmDB::AddNew() {
    record_.assign(static_cast<std::size_t>(fixedSize_) + static_cast<std::size_t>(textCount_), '\0');
}

bool clsPalmDB::WriteData() { return File().WriteRecord(record_); }
bool clsPalmDB::WriteRaw(std::string_view data) { return File().WriteRecord(data); }
bool clsPalmDB::ReadData(std::int32_t recordNumber) { return File().ReadRecord(recordNumber, record_); }
bool clsPalmDB::ReadRaw(std::string& buffer, std::int32_t recordNumber) {
    return File().ReadRecord(recordNumber, buffer);
}

IPalmFile& clsPalmDB::File() const {
    if (!file_) throw RuntimeError(kErrBadFileName);
    return *file_;
}

void clsPalmDB::Rewind() { File().Rewind(); }
std::int32_t clsPalmDB::RecordCount() const { return File().RecordCount(); }
std::int16_t clsPalmDB::Position255() const { return File().Position255(); }
std::uint64_t clsPalmDB::BytesLeft() const { return File().BytesLeft(); }
std::string clsPalmDB::Title() const { return File().Title(); }
std::string clsPalmDB::Creator() const { return File().Creator(); }
std::string clsPalmDB::DBType() const { return File().DBType(); }
std::string clsPalmDB::AppInfo() const { return File().AppInfo(); }
std::string clsPalmDB::SortInfo() const { return File().SortInfo(); }
PalmDate clsPalmDB::CreateDate() const { return File().CreateDate(); }
PalmDate clsPalmDB::ModifyDate() const { return File().ModifyDate(); }
std::int32_t clsPalmDB::Attributes() const { return File().Attributes(); }

}  // namespace zav
