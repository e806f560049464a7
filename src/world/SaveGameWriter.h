// Writing the running game as saved-game text. The whole file is built in
// memory first, so it reaches the disk in one atomic write.
#pragma once

#include <string>

class Neuron;

class SaveGameWriter {
public:
    // The running game in the saved-game format, section by section.
    static std::string Build();

private:
    void Header(const char* header);
    void Line(const std::string& line);
    void NeuronBlock(const Neuron& neuron);
    void HistoryLine(const Neuron& neuron);

    void WriteGame();
    void WriteVoters();
    void WriteNeurons();
    void WriteGrudges();
    void WriteAnger();
    void WriteFinances();
    void WritePolls();
    void WriteDilemmas();
    void WriteManifesto();
    void WriteCongress();

    std::string text_;
};
