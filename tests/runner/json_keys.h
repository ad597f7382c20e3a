// The keys of a json object in the order the runner wrote them.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace nv::runner::testing {

using Json = nlohmann::ordered_json;

inline std::vector<std::string> keys(const Json &object) {
    std::vector<std::string> names;
    for (const auto &[key, value] : object.items()) {
        names.push_back(key);
    }
    return names;
}

}  // namespace nv::runner::testing
