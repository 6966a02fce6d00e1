// The setup information member's binary form, as the device installer reads it. Every number
// is little-endian; every string is single-byte and zero-terminated, its length counting the
// zero.
//
//   offset  size  field
//   0       4     "MSCE"
//   4       4     0
//   8       4     size of the whole member in bytes
//   12      4     0
//   16      4     1
//   20      4     processor type (10003 SH3, 2577 StrongARM, 4000 MIPS R4000, ...)
//   24      4×4   lowest Windows CE version major, minor; highest major, minor (0.0: none)
//   40      4×2   lowest and highest build number (0: none)
//   48      2×6   entry counts: strings, directories, files, registry hives, registry keys,
//                 shortcuts
//   60      4×6   offsets of the same six sections from the start of the member
//   84      2×2   offset and length of the application name
//   88      2×2   offset and length of the provider
//   92      2×2   offset and length of the unsupported platforms: names one after another,
//                 each zero-terminated (length 0 when there are none)
//   96      2×2   0
//   100           the application name, the provider and the unsupported platforms, then the
//                 sections in the order above.
//
// Sections (ids count from 1; a list of string ids ends with a 0 that its length counts):
//   string      id u16, length u16, the text
//   directory   id u16, length u16, string ids of the path's components
//   file        id u16, directory id u16, 0 u16, copy flags u32, length u16, the name
//   shortcut    id u16, 0 u16, base folder u16 (n of %CEn%, 0 for the installation folder),
//               target id u16, target kind u16 (0 directory, 1 file), length u16, string ids
//               of the path below the base folder, the last one the shortcut's name
//   registry hives and keys are not written (and refused when read): the application keeps
//   no registry settings of its own at install time.
#include "tools/appmgr/SetupInfo.h"

#include <algorithm>
#include <limits>
#include <map>
#include <set>

namespace appmgr {
namespace {

constexpr std::uint8_t kSignature[] = {'M', 'S', 'C', 'E'};
constexpr std::size_t kHeaderSize = 100;
constexpr std::size_t kMaxLength = std::numeric_limits<std::uint16_t>::max();

void Refuse(const std::string& why) {
    throw SetupInfoError(why);
}

void CheckName(const std::string& text, const std::string& what) {
    if (text.empty()) {
        Refuse("the " + what + " is empty");
    }
    if (text.find('\0') != std::string::npos) {
        Refuse("the " + what + " holds a zero byte");
    }
    if (text.size() + 1 > kMaxLength) {
        Refuse("the " + what + " is too long");
    }
}

template <typename Entry>
void CheckIds(const std::vector<Entry>& entries, const std::string& what) {
    std::set<std::uint16_t> seen;
    for (const Entry& entry : entries) {
        if (entry.id == 0 || !seen.insert(entry.id).second) {
            Refuse("the " + what + " id " + std::to_string(entry.id) + " is zero or repeated");
        }
    }
    if (entries.size() > kMaxLength) {
        Refuse("there are too many " + what + " entries");
    }
}

// Strings get ids in the order they are first used.
class StringTable {
public:
    std::uint16_t Id(const std::string& text) {
        CheckName(text, "path component");
        const auto [it, added] =
            m_ids.emplace(text, static_cast<std::uint16_t>(m_order.size() + 1));
        if (added) {
            if (m_order.size() >= kMaxLength - 1) {
                Refuse("there are too many strings");
            }
            m_order.push_back(text);
        }
        return it->second;
    }
    const std::vector<std::string>& Order() const { return m_order; }

private:
    std::map<std::string, std::uint16_t> m_ids;
    std::vector<std::string> m_order;
};

void WriteIdList(ByteWriter& out, const std::vector<std::uint16_t>& ids) {
    out.U16(static_cast<std::uint16_t>((ids.size() + 1) * 2));
    for (std::uint16_t id : ids) {
        out.U16(id);
    }
    out.U16(0);
}

std::vector<std::uint16_t> PathIds(StringTable& strings, const std::vector<std::string>& path,
                                   const std::string& what) {
    if (path.empty()) {
        Refuse("the " + what + " has an empty path");
    }
    if (path.size() + 1 > kMaxLength / 2) {
        Refuse("the " + what + " has too long a path");
    }
    std::vector<std::uint16_t> ids;
    for (const std::string& component : path) {
        ids.push_back(strings.Id(component));
    }
    return ids;
}

std::uint16_t Narrow(std::size_t value, const std::string& what) {
    if (value > kMaxLength) {
        Refuse("the " + what + " does not fit in the setup information's header");
    }
    return static_cast<std::uint16_t>(value);
}

// Reading -------------------------------------------------------------------------------------

// Text of `length` bytes whose last byte, and only that one, is zero.
std::string TextField(ByteReader& in, std::size_t length, const std::string& what) {
    if (length < 2) {
        Refuse("the " + what + " is empty");
    }
    const auto bytes = in.Bytes(length, what);
    const auto zero = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    if (zero != bytes.end() - 1) {
        Refuse("the " + what + " is not one zero-terminated string");
    }
    return std::string(bytes.begin(), bytes.end() - 1);
}

std::vector<std::uint16_t> IdList(ByteReader& in, const std::string& what) {
    const std::uint16_t length = in.U16(what);
    if (length < 4 || length % 2 != 0) {
        Refuse("the " + what + " has a bad length");
    }
    std::vector<std::uint16_t> ids;
    for (std::size_t i = 0; i + 1 < length / 2u; ++i) {
        const std::uint16_t id = in.U16(what);
        if (id == 0) {
            Refuse("the " + what + " ends early");
        }
        ids.push_back(id);
    }
    if (in.U16(what) != 0) {
        Refuse("the " + what + " does not end with 0");
    }
    return ids;
}

std::vector<std::string> Resolve(const std::map<std::uint16_t, std::string>& strings,
                                 const std::vector<std::uint16_t>& ids, const std::string& what) {
    std::vector<std::string> path;
    for (std::uint16_t id : ids) {
        const auto it = strings.find(id);
        if (it == strings.end()) {
            Refuse("the " + what + " names string " + std::to_string(id) + ", which is not there");
        }
        path.push_back(it->second);
    }
    return path;
}

}  // namespace

const SetupDirectory* SetupInfo::Directory(std::uint16_t id) const {
    const auto it = std::find_if(directories.begin(), directories.end(),
                                 [&](const SetupDirectory& d) { return d.id == id; });
    return it == directories.end() ? nullptr : &*it;
}

const SetupFile* SetupInfo::File(std::uint16_t id) const {
    const auto it =
        std::find_if(files.begin(), files.end(), [&](const SetupFile& f) { return f.id == id; });
    return it == files.end() ? nullptr : &*it;
}

std::vector<std::uint8_t> WriteSetupInfo(const SetupInfo& info) {
    CheckName(info.appName, "application name");
    CheckName(info.provider, "provider");
    CheckIds(info.directories, "directory");
    CheckIds(info.files, "file");
    CheckIds(info.shortcuts, "shortcut");
    for (const std::string& platform : info.unsupportedPlatforms) {
        CheckName(platform, "unsupported platform name");
    }
    for (const SetupFile& file : info.files) {
        CheckName(file.name, "file name");
        if (!info.Directory(file.directory)) {
            Refuse("file " + file.name + " goes to directory " + std::to_string(file.directory) +
                   ", which is not there");
        }
    }
    for (const SetupShortcut& shortcut : info.shortcuts) {
        const bool found = shortcut.kind == ShortcutKind::File
                               ? info.File(shortcut.target) != nullptr
                               : info.Directory(shortcut.target) != nullptr;
        if (!found) {
            Refuse("a shortcut points to " + std::to_string(shortcut.target) +
                   ", which is not there");
        }
    }

    StringTable strings;
    std::vector<std::vector<std::uint16_t>> directoryIds;
    for (const SetupDirectory& directory : info.directories) {
        directoryIds.push_back(PathIds(strings, directory.path, "directory"));
    }
    std::vector<std::vector<std::uint16_t>> shortcutIds;
    for (const SetupShortcut& shortcut : info.shortcuts) {
        shortcutIds.push_back(PathIds(strings, shortcut.path, "shortcut"));
    }

    ByteWriter out;
    out.Bytes(kSignature);
    out.U32(0);
    out.U32(0);  // the size, once known
    out.U32(0);
    out.U32(1);
    out.U32(info.processor);
    out.U32(info.versionMin.major);
    out.U32(info.versionMin.minor);
    out.U32(info.versionMax.major);
    out.U32(info.versionMax.minor);
    out.U32(info.buildMin);
    out.U32(info.buildMax);
    out.U16(static_cast<std::uint16_t>(strings.Order().size()));
    out.U16(static_cast<std::uint16_t>(info.directories.size()));
    out.U16(static_cast<std::uint16_t>(info.files.size()));
    out.U16(0);
    out.U16(0);
    out.U16(static_cast<std::uint16_t>(info.shortcuts.size()));
    const std::size_t sectionOffsets = out.Offset();
    for (int i = 0; i < 6; ++i) {
        out.U32(0);
    }
    const std::size_t nameFields = out.Offset();
    for (int i = 0; i < 8; ++i) {
        out.U16(0);
    }

    auto textField = [&](std::size_t field, const auto& write) {
        const std::size_t start = out.Offset();
        write();
        const std::size_t length = out.Offset() - start;
        out.PatchU16(field, length ? Narrow(start, "text offset") : 0);
        out.PatchU16(field + 2, Narrow(length, "text length"));
    };
    textField(nameFields, [&] { out.ZeroTerminated(info.appName); });
    textField(nameFields + 4, [&] { out.ZeroTerminated(info.provider); });
    textField(nameFields + 8, [&] {
        for (const std::string& platform : info.unsupportedPlatforms) {
            out.ZeroTerminated(platform);
        }
    });

    auto section = [&](int index) {
        out.PatchU32(sectionOffsets + 4 * static_cast<std::size_t>(index),
                     static_cast<std::uint32_t>(out.Offset()));
    };
    section(0);
    for (std::size_t i = 0; i < strings.Order().size(); ++i) {
        out.U16(static_cast<std::uint16_t>(i + 1));
        out.U16(static_cast<std::uint16_t>(strings.Order()[i].size() + 1));
        out.ZeroTerminated(strings.Order()[i]);
    }
    section(1);
    for (std::size_t i = 0; i < info.directories.size(); ++i) {
        out.U16(info.directories[i].id);
        WriteIdList(out, directoryIds[i]);
    }
    section(2);
    for (const SetupFile& file : info.files) {
        out.U16(file.id);
        out.U16(file.directory);
        out.U16(0);
        out.U32(file.flags);
        out.U16(static_cast<std::uint16_t>(file.name.size() + 1));
        out.ZeroTerminated(file.name);
    }
    section(3);
    section(4);
    section(5);
    for (std::size_t i = 0; i < info.shortcuts.size(); ++i) {
        const SetupShortcut& shortcut = info.shortcuts[i];
        out.U16(shortcut.id);
        out.U16(0);
        out.U16(shortcut.baseFolder);
        out.U16(shortcut.target);
        out.U16(static_cast<std::uint16_t>(shortcut.kind));
        WriteIdList(out, shortcutIds[i]);
    }
    out.PatchU32(8, static_cast<std::uint32_t>(out.Offset()));
    return std::move(out).Data();
}

SetupInfo ReadSetupInfo(std::span<const std::uint8_t> bytes) {
    try {
        ByteReader in(bytes);
        const auto signature = in.Bytes(4, "signature");
        if (!std::equal(signature.begin(), signature.end(), std::begin(kSignature))) {
            Refuse("it does not start with the signature MSCE");
        }
        in.Skip(4, "header");
        const std::uint32_t size = in.U32("size");
        if (size != bytes.size() || size < kHeaderSize) {
            Refuse("its header gives a size of " + std::to_string(size) + " bytes, but it has " +
                   std::to_string(bytes.size()));
        }
        in.Skip(8, "header");
        SetupInfo info;
        info.processor = in.U32("processor type");
        info.versionMin = {in.U32("version"), in.U32("version")};
        info.versionMax = {in.U32("version"), in.U32("version")};
        info.buildMin = in.U32("build number");
        info.buildMax = in.U32("build number");
        std::uint16_t counts[6];
        for (auto& count : counts) {
            count = in.U16("entry count");
        }
        std::uint32_t offsets[6];
        for (auto& offset : offsets) {
            offset = in.U32("section offset");
        }
        if (counts[3] != 0 || counts[4] != 0) {
            Refuse("it holds registry entries, which this device does not take");
        }
        std::uint16_t fields[6];
        for (auto& field : fields) {
            field = in.U16("text field");
        }

        ByteReader text(bytes);
        text.Seek(fields[0], "application name");
        info.appName = TextField(text, fields[1], "application name");
        text.Seek(fields[2], "provider");
        info.provider = TextField(text, fields[3], "provider");
        if (fields[5] != 0) {
            text.Seek(fields[4], "unsupported platforms");
            ByteReader list(text.Bytes(fields[5], "unsupported platforms"));
            while (list.Remaining() > 0) {
                std::string name = list.ZeroTerminated("unsupported platform");
                if (name.empty()) {
                    Refuse("an unsupported platform's name is empty");
                }
                info.unsupportedPlatforms.push_back(std::move(name));
            }
        }

        std::map<std::uint16_t, std::string> strings;
        in.Seek(offsets[0], "string section");
        for (std::uint16_t i = 0; i < counts[0]; ++i) {
            const std::uint16_t id = in.U16("string entry");
            std::string value = TextField(in, in.U16("string entry"), "string entry");
            if (id == 0 || !strings.emplace(id, std::move(value)).second) {
                Refuse("string id " + std::to_string(id) + " is zero or repeated");
            }
        }
        in.Seek(offsets[1], "directory section");
        for (std::uint16_t i = 0; i < counts[1]; ++i) {
            SetupDirectory directory;
            directory.id = in.U16("directory entry");
            directory.path = Resolve(strings, IdList(in, "directory entry"), "directory entry");
            info.directories.push_back(std::move(directory));
        }
        in.Seek(offsets[2], "file section");
        for (std::uint16_t i = 0; i < counts[2]; ++i) {
            SetupFile file;
            file.id = in.U16("file entry");
            file.directory = in.U16("file entry");
            in.Skip(2, "file entry");
            file.flags = in.U32("file entry");
            file.name = TextField(in, in.U16("file entry"), "file name");
            info.files.push_back(std::move(file));
        }
        in.Seek(offsets[5], "shortcut section");
        for (std::uint16_t i = 0; i < counts[5]; ++i) {
            SetupShortcut shortcut;
            shortcut.id = in.U16("shortcut entry");
            in.Skip(2, "shortcut entry");
            shortcut.baseFolder = in.U16("shortcut entry");
            shortcut.target = in.U16("shortcut entry");
            const std::uint16_t kind = in.U16("shortcut entry");
            if (kind > 1) {
                Refuse("a shortcut's target kind is " + std::to_string(kind));
            }
            shortcut.kind = static_cast<ShortcutKind>(kind);
            shortcut.path = Resolve(strings, IdList(in, "shortcut entry"), "shortcut entry");
            info.shortcuts.push_back(std::move(shortcut));
        }

        // The same rules the writer keeps, so what is read can be written again.
        CheckIds(info.directories, "directory");
        CheckIds(info.files, "file");
        CheckIds(info.shortcuts, "shortcut");
        for (const SetupFile& file : info.files) {
            if (!info.Directory(file.directory)) {
                Refuse("file " + file.name + " goes to a directory that is not there");
            }
        }
        for (const SetupShortcut& shortcut : info.shortcuts) {
            const bool found = shortcut.kind == ShortcutKind::File
                                   ? info.File(shortcut.target) != nullptr
                                   : info.Directory(shortcut.target) != nullptr;
            if (!found) {
                Refuse("a shortcut points to something that is not there");
            }
        }
        return info;
    } catch (const SetupInfoError&) {
        throw;
    } catch (const FormatError& e) {
        throw SetupInfoError(e.what());
    }
}

}  // namespace appmgr
