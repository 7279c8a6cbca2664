// Writes a set of every standard keysym name (prefixed, so that Xlib can find it only
// through the file) and of names with every printable character, in both export formats,
// with the keysyms each one carries: "name TAB value" lines for the real consumers to check.
// Exit 1 when a format left out a name it can carry or kept one it cannot.
#include "x11/KeySymFormats.h"
#include "x11/StandardKeySyms.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool Write(const char* path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out.flush());
}

// The expectation, written plainly from the rules X11's readers follow.
bool DatabaseCarries(const std::string& name)
{
    return name[0] != '!' && name[0] != '#' && name.find_first_of(":.*") == std::string::npos;
}
bool HeaderCarries(const std::string& name)
{
    if (name[0] >= '0' && name[0] <= '9') return false;
    for (unsigned char c : name)
        if (!(c == '_' || (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'))) return false;
    return true;
}

bool Export(const CKeySymStore& store, ExportFormat format, bool (*carries)(const std::string&), const char* file,
            const char* expected)
{
    const ExportText text = FormatKeySymExport(store, 0, format);
    std::string lines;
    size_t leftOut = 0;
    for (const auto& [name, entry] : store.m_keySyms) {
        if (carries(name)) lines += name + '\t' + entry->m_strValue + '\n';
        else ++leftOut;
    }
    if (leftOut != text.leftOut.size() || text.written + leftOut != store.m_keySyms.size()) {
        std::fprintf(stderr, "%s: %zu left out, expected %zu\n", file, text.leftOut.size(), leftOut);
        return false;
    }
    return Write(file, text.text) && Write(expected, lines);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: x11_export_corpus DB EXPECTED-DB HEADER EXPECTED-HEADER\n");
        return 2;
    }
    CKeySymStore store;
    store.m_setNames = {"corpus"};
    for (const StandardKeySym& keySym : StandardKeySyms()) {
        char value[16];
        std::snprintf(value, sizeof value, "%X", static_cast<unsigned>(keySym.value));
        store.m_keySyms.emplace(std::string("my") + keySym.name, std::make_unique<CKeySymEntry>(value, 0));
    }
    // Every printable character the keysym file can store, inside a name and leading one.
    unsigned next = 0x10AB0000;
    for (char c = '!'; c <= '~'; ++c) {
        if (c == '@' || c == '=') continue;
        for (std::string name : {std::string("in") + c + "side", std::string(1, c) + "lead"}) {
            if (name[0] == '[' || name[0] == ';') continue;
            char value[16];
            std::snprintf(value, sizeof value, "%X", next++);
            store.m_keySyms.emplace(name, std::make_unique<CKeySymEntry>(value, 0));
        }
    }
    store.m_keySyms.emplace("caf\xE9", std::make_unique<CKeySymEntry>("100FFFF", 0));
    store.m_keySyms.emplace("U20AC_not_unicode", std::make_unique<CKeySymEntry>("1234", 0));
    const bool ok = Export(store, ExportFormat::XKeysymDb, DatabaseCarries, argv[1], argv[2]) &&
                    Export(store, ExportFormat::CHeader, HeaderCarries, argv[3], argv[4]);
    return ok ? 0 : 1;
}
