#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tavik::cli {

// Wrong usage: exit code 2 with the text.
struct UsageError {
    std::string text;
};

// A command, its "--name value" options and "--name" flags (anywhere among the arguments)
// and its other arguments.
struct CommandLine {
    std::string command;
    std::map<std::string, std::string> options;
    std::set<std::string> flags;
    std::vector<std::string> positional;
    // The user's settings by option name (UTF-8, as if given): an option left out takes its
    // value from here.
    std::map<std::string, std::string> settings;

    static CommandLine parse(const std::vector<std::string>& args);

    // An option's value, or its setting, converted to code page 1250; refused when it cannot be.
    std::string required(const std::string& name) const;
    std::optional<std::string> optional(const std::string& name) const;
    // An option's value, or its setting, as given (UTF-8); "" when there is neither.
    std::string utf8(const std::string& name) const;
    // An option's value, or its setting, as given (a path).
    std::string path(const std::string& name) const;

    bool flag(const std::string& name) const { return flags.count(name) != 0; }

    // Refuses any option or flag not named.
    void allowOnly(std::initializer_list<const char*> names) const;
};

// The extension of a path in small letters (".rpa"), or empty.
std::string lowerExtension(const std::string& path);

}  // namespace tavik::cli
