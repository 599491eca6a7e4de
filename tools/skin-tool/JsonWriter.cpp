#include "JsonWriter.h"

#include <cstdio>

void TJsonWriter::Item(const char* key)
{
    if (!FFirst.empty()) {
        if (!FFirst.back())
            FOut << ',';
        FFirst.back() = false;
        FOut << '\n' << std::string(2 * FFirst.size(), ' ');
    }
    if (key) {
        Quoted(key);
        FOut << ": ";
    }
}

void TJsonWriter::Open(const char* key, char bracket)
{
    Item(key);
    FOut << bracket;
    FFirst.push_back(true);
}

void TJsonWriter::Close(char bracket)
{
    const bool empty = FFirst.back();
    FFirst.pop_back();
    if (!empty)
        FOut << '\n' << std::string(2 * FFirst.size(), ' ');
    FOut << bracket;
    if (FFirst.empty())
        FOut << '\n';
}

void TJsonWriter::String(const char* key, const std::string& value)
{
    Item(key);
    Quoted(value);
}

void TJsonWriter::Number(const char* key, std::int64_t value)
{
    Item(key);
    FOut << value;
}

void TJsonWriter::Bool(const char* key, bool value)
{
    Item(key);
    FOut << (value ? "true" : "false");
}

void TJsonWriter::Null(const char* key)
{
    Item(key);
    FOut << "null";
}

void TJsonWriter::Quoted(const std::string& text)
{
    FOut << '"';
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\')
            FOut << '\\' << ch;
        else if (c >= 0x20 && c < 0x7F)
            FOut << ch;
        else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            FOut << escaped;
        }
    }
    FOut << '"';
}
