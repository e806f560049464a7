// The comma-separated field reader.
#include "core/FieldReader.h"

#include "core/TextUtilities.h"

void FieldReader::SetText(std::string_view line) {
    text_.assign(line);
    position_ = 0;
}

const std::string& FieldReader::NextField() {
    field_.clear();
    bool insideQuotes = false;
    while (position_ < text_.size()) {
        const char c = text_[position_];
        if (c == '"') {
            insideQuotes = !insideQuotes;
        } else if (c == ',' && !insideQuotes) {
            break;
        } else {
            field_ += c;
        }
        ++position_;
    }
    ++position_;  // past the comma (or past the end, which marks the end reached)
    return field_;
}

float FieldReader::NextFloat() { return ParseFloat(NextField()); }
int FieldReader::NextInt() { return ParseInt(NextField()); }
