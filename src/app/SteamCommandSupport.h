#pragma once
// What the steam commands (indicator, performance) share: the gear, its
// operating conditions and the speed, and the settings brought into the
// reverse arm's travel.

#include "model/Model.h"
#include "steam/Conditions.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace corvellan {

struct SteamInputs {
    std::string dims;
    std::string conditions;
    std::optional<Ext> speed;
};

// --dims FILE, --conditions FILE, --speed N.
void addSteamInputOptions(CLI::App* c, SteamInputs& inputs);

// The gear, and its conditions: from --conditions, else from the file
// beside the dimension file where there is one, else the defaults; --speed
// over the file's Speed. False with one line in `error` when any is bad.
bool loadSteamInputs(const SteamInputs& inputs, Model& m, steam::Conditions& c,
                     std::string* error);

// A setting the user gave, brought into the reverse arm's travel (saying so
// on stderr where it moved).
Real settingInTravel(const Model& m, const std::string& option, Ext value);

// The steam commands' common footer: units, conditions and what is refused.
std::string steamCommandFooter();

} // namespace corvellan
