// Owns the voter groups (and, with the electorate, the voting population):
// loads them from the voter types file and answers look-ups.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/EnrolledManager.h"

class VoterType;

class VoterManager : public EnrolledManager {
public:
    static VoterManager& Instance();

    // Lines beginning with "#" define a group; a missing file loads nothing.
    void LoadVoterTypes(const std::string& path);
    VoterType* FindVoterType(std::string_view name) const;
    VoterType* VoterTypeAt(size_t index) const;
    const std::vector<VoterType*>& VoterTypes() const { return types_; }

    void Reset() override;

private:
    VoterManager() = default;
    void LoadLine(const std::string& line, const std::string& path, int lineNumber);
    std::vector<VoterType*> types_;
};
