#include "store/key_value_file.h"

#include <functional>
#include <system_error>

bool KeyValueFile::OpenKeyValueFile(const std::filesystem::path& path) {
    CloseKeyValueFile();
    if (path.empty())
        return false;
    const std::filesystem::path target = fileio::ResolveWriteTarget(path);
    std::optional<fileio::FileHandle> handle = fileio::FileHandle::OpenExisting(target);
    if (!Load(handle))
        return false;
    handle_ = std::move(*handle);
    target_ = target;
    return true;
}

bool KeyValueFile::OpenKeyValueFileForReading(const std::filesystem::path& path) {
    CloseKeyValueFile();
    if (path.empty())
        return false;
    std::optional<fileio::FileHandle> handle = fileio::FileHandle::OpenForReading(path);
    readOnly_ = Load(handle);
    return readOnly_;
}

bool CreateEmptyKeyValueFile(const std::filesystem::path& path) {
    return fileio::CreateEmptyFile(fileio::ResolveWriteTarget(path));
}

std::size_t FileStamp(std::string_view bytes) {
    return std::hash<std::string_view>{}(bytes);
}

std::optional<std::string> KeyValueFile::ReadHeldFile() {
    if (!created_ || !handle_.IsOpen())
        return std::nullopt;
    std::optional<std::string> content = handle_.ReadAll();
    if (content && !kv::WithinEntryLimits(*content))
        return std::nullopt;
    return content;
}

bool KeyValueFile::Load(std::optional<fileio::FileHandle>& handle) {
    beyondLimits_ = false;
    stamp_.reset();
    if (!handle)
        return false;
    std::optional<std::string> content = handle->ReadAll();
    if (!content)
        return false;
    beyondLimits_ = !kv::WithinEntryLimits(*content);
    if (beyondLimits_)
        return false;
    stamp_ = FileStamp(*content);
    document_.emplace(kv::ParseKeyValueText(*content));
    return true;
}

bool KeyValueFile::CreateKeyValueFile(const std::filesystem::path& path) {
    CloseKeyValueFile();
    stamp_.reset();
    if (path.empty())
        return false;
    const std::filesystem::path target = fileio::ResolveWriteTarget(path);
    fileio::FetchFromMirror(target);  // another window may have made it meanwhile
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(target, ec);
    if (std::filesystem::exists(status)) {
        // Only a file that could also be read and written is replaced.
        if (!std::filesystem::is_regular_file(status))
            return false;
        std::optional<fileio::FileHandle> handle = fileio::FileHandle::OpenExisting(target);
        if (!handle || !handle->Writable() || handle->TooLarge())
            return false;
        handle_ = std::move(*handle);
    } else if (!fileio::CanCreateFileAt(target)) {
        return false;
    }
    document_.emplace();
    target_ = target;
    created_ = true;
    return true;
}

bool KeyValueFile::CloseKeyValueFile() {
    if (!document_)
        return true;
    bool saved = true;
    if (document_->Modified() || created_) {
        // A created file that nothing was written to stays empty: no mark, no empty line.
        const std::string bytes = document_->Modified() ? document_->Render() : std::string();
        // Never rewritten in place: a folder that takes no new file keeps the old file whole.
        saved = !readOnly_ && (created_ || handle_.Writable()) &&
                fileio::ReplaceFileContent(target_, bytes);
        if (saved)
            stamp_ = FileStamp(bytes);
    }
    document_.reset();
    handle_ = fileio::FileHandle();
    target_.clear();
    created_ = false;
    readOnly_ = false;
    return saved;
}

bool KeyValueFile::SelectGroup(std::string_view name) {
    return document_ ? document_->SelectGroup(name) : false;
}

bool KeyValueFile::FirstGroup() {
    if (!document_)
        return false;
    document_->FirstGroup();
    return true;
}

bool KeyValueFile::NextGroup() {
    return document_ ? document_->NextGroup() : false;
}

std::string KeyValueFile::CurrentGroupName() const {
    return document_ ? document_->CurrentGroupName() : std::string();
}

std::string KeyValueFile::ReadText(std::string_view key, std::string_view fallback) const {
    return document_ ? document_->ReadText(key, fallback) : std::string(fallback);
}

std::int32_t KeyValueFile::ReadInteger(std::string_view key, std::int32_t fallback) const {
    return document_ ? document_->ReadInteger(key, fallback) : fallback;
}

double KeyValueFile::ReadDouble(std::string_view key, double fallback) const {
    return document_ ? document_->ReadDouble(key, fallback) : fallback;
}

void KeyValueFile::WriteText(std::string_view key, std::string_view text) {
    if (document_)
        document_->WriteText(key, text);
}

void KeyValueFile::WriteInteger(std::string_view key, std::int32_t value) {
    if (document_)
        document_->WriteInteger(key, value);
}

void KeyValueFile::WriteDouble(std::string_view key, double value) {
    if (document_)
        document_->WriteDouble(key, value);
}
