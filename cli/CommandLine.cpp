#include "cli/CommandLine.h"

#include <algorithm>

#include "model/Cp1250.h"

namespace tavik::cli {

namespace {

// The options that take no value.
const std::set<std::string> kFlags = {"wszystko"};

}  // namespace

CommandLine CommandLine::parse(const std::vector<std::string>& args) {
    if (args.empty()) throw UsageError{"brak polecenia"};
    CommandLine line;
    line.command = args[0];
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) == 0 && kFlags.count(arg.substr(2))) {
            line.flags.insert(arg.substr(2));
        } else if (arg.rfind("--", 0) == 0 && arg.size() > 2) {
            if (i + 1 >= args.size()) throw UsageError{"brak wartości opcji " + arg};
            line.options[arg.substr(2)] = args[++i];
        } else {
            line.positional.push_back(arg);
        }
    }
    return line;
}

std::optional<std::string> CommandLine::optional(const std::string& name) const {
    auto found = options.find(name);
    const bool given = found != options.end();
    if (!given) {
        found = settings.find(name);
        if (found == settings.end()) return std::nullopt;
    }
    std::string converted, error;
    if (!cp1250::fromUtf8(found->second, converted, &error))
        throw UsageError{"opcja --" + name + (given ? "" : " (z ustawień programu)") + ": " +
                         error};
    return converted;
}

std::string CommandLine::required(const std::string& name) const {
    if (auto value = optional(name)) return *value;
    throw UsageError{"brak opcji --" + name};
}

std::string CommandLine::utf8(const std::string& name) const {
    if (const auto found = options.find(name); found != options.end()) return found->second;
    if (const auto found = settings.find(name); found != settings.end()) return found->second;
    return {};
}

std::string CommandLine::path(const std::string& name) const {
    if (const auto found = options.find(name); found != options.end()) return found->second;
    if (const auto found = settings.find(name); found != settings.end()) return found->second;
    throw UsageError{"brak opcji --" + name};
}

void CommandLine::allowOnly(std::initializer_list<const char*> names) const {
    const auto allowed = [&](const std::string& name) {
        return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
    };
    for (const auto& option : options)
        if (!allowed(option.first)) throw UsageError{"nieznana opcja --" + option.first};
    for (const std::string& name : flags)
        if (!allowed(name)) throw UsageError{"nieznana opcja --" + name};
}

std::string lowerExtension(const std::string& path) {
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = path.substr(dot);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

}  // namespace tavik::cli
