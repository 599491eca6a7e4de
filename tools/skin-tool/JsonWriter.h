// A minimal JSON writer for the tool's info output: objects, arrays, strings, numbers,
// indented two spaces. Text bytes that are not printable ASCII are written as \u00XX, so
// the output is valid JSON whatever a skin holds.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class TJsonWriter {
public:
    explicit TJsonWriter(std::ostream& out) : FOut(out) {}

    void BeginObject(const char* key = nullptr) { Open(key, '{'); }
    void EndObject() { Close('}'); }
    void BeginArray(const char* key = nullptr) { Open(key, '['); }
    void EndArray() { Close(']'); }
    void String(const char* key, const std::string& value);
    void Number(const char* key, std::int64_t value);
    void Bool(const char* key, bool value);
    void Null(const char* key);

private:
    void Open(const char* key, char bracket);
    void Close(char bracket);
    void Item(const char* key);
    void Quoted(const std::string& text);

    std::ostream& FOut;
    std::vector<bool> FFirst;  // per open level: no item written yet
};
