// How a policy's slider snaps and what its steps are called ("Low",
// "Medium", "High"...), from "data/simulation/sliders.csv" and slider mods.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class SliderConfiguration {
public:
    SliderConfiguration(std::string name, int steps, std::vector<std::string> labels);

    const std::string& Name() const { return name_; }
    int Steps() const { return steps_; }
    const std::vector<std::string>& Labels() const { return labels_; }

    // The nearest step to v (0..1); unchanged with fewer than two steps.
    float Snap(float v) const;
    // The label of the step nearest v; "not set" without labels.
    std::string StepLabel(float v) const;

    // The program-wide list: the base file, then one configuration from the
    // first line of each mod file. Read once; later calls do nothing.
    static void LoadAll(std::string_view path = "data/simulation/sliders.csv",
                        std::string_view modPattern = "data/mods/sliders/*.txt");
    static const SliderConfiguration* Find(std::string_view name);
    static const std::vector<std::unique_ptr<SliderConfiguration>>& All();
    static void Clear();

private:
    std::string name_;
    int steps_;
    std::vector<std::string> labels_;
};
