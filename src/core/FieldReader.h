// Splits one comma-separated data line into fields. Double quotes group a
// field (a comma inside them is text) and are themselves dropped; no blanks
// are trimmed, so an empty field between two commas is an empty text.
#pragma once

#include <string>
#include <string_view>

class FieldReader {
public:
    FieldReader() = default;
    explicit FieldReader(std::string_view line) { SetText(line); }

    void SetText(std::string_view line);

    // The next field; past the end it is the empty text.
    const std::string& NextField();
    bool AtEnd() const { return position_ >= text_.size(); }

    // Next field converted like atof/atoi; an empty or non-numeric field is 0.
    float NextFloat();
    int NextInt();

private:
    std::string text_;
    std::string field_;
    size_t position_ = 0;
};
