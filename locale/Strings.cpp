#include "locale/Strings.h"
#include <vector>

namespace {
HINSTANCE g_library = nullptr;
HINSTANCE g_fallback = nullptr;
}

void SetStringSources(HINSTANCE library, HINSTANCE fallback)
{
    g_library = library;
    g_fallback = fallback;
}

namespace {
// LoadStringA cannot say how long a string is; grow until it fits. False when missing.
bool LoadStringFrom(HINSTANCE module, UINT id, std::string& text)
{
    if (!module)
        return false;
    for (int size = 256; size <= 65536; size *= 4) {
        std::vector<char> buffer(size);
        int n = ::LoadStringA(module, id, buffer.data(), size);
        if (n <= 0)
            return false;
        if (n < size - 1) {
            text.assign(buffer.data(), n);
            return true;
        }
    }
    return false;
}
}

namespace {
// The resource library first; a library made before the module grew new strings lacks
// some, and the module's own texts stand in for them.
template <class Load>
bool LoadFromLibraryOrModule(Load load)
{
    if (load(g_library))
        return true;
    return g_fallback && g_fallback != g_library && load(g_fallback);
}
}

std::string LoadResString(UINT id)
{
    std::string text;
    LoadFromLibraryOrModule([&](HINSTANCE module) { return LoadStringFrom(module, id, text); });
    return text;
}

std::wstring LoadResStringW(UINT id)
{
    // With a zero size LoadStringW hands out the resource's own text and its length.
    std::wstring text;
    LoadFromLibraryOrModule([&](HINSTANCE module) {
        const wchar_t* resource = nullptr;
        const int n = module ? ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&resource), 0) : 0;
        if (n <= 0 || !resource) return false;
        text.assign(resource, static_cast<size_t>(n));
        return true;
    });
    return text;
}

std::string FormatText(const std::string& text, const std::string& arg1, const std::string& arg2,
                       const std::string& arg3)
{
    const std::string* args[] = {&arg1, &arg2, &arg3};
    std::string out;
    out.reserve(text.size() + arg1.size() + arg2.size() + arg3.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '%' && next >= '1' && next <= '3') {
            out += *args[next - '1'];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string FormatResString(UINT id, const std::string& arg1, const std::string& arg2, const std::string& arg3)
{
    return FormatText(LoadResString(id), arg1, arg2, arg3);
}

