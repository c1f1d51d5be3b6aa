#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// The words after the command: positional arguments and "--name value"
// options (flags take no value). Unknown options are errors. "--" ends the
// options: every word after it is positional.
class CommandLine {
  public:
    CommandLine(const std::vector<std::string>& words, const std::vector<std::string>& valueOptions,
                const std::vector<std::string>& flags);

    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }
    const std::vector<std::string>& Positional() const { return m_positional; }
    // The last value given for the option.
    std::optional<std::string> Value(const std::string& option) const;
    // Every value of a repeatable option, in the order given.
    std::vector<std::string> Values(const std::string& option) const;
    bool Flag(const std::string& flag) const;

  private:
    std::vector<std::string> m_positional;
    std::map<std::string, std::vector<std::string>> m_values;
    std::vector<std::string> m_flags;
    std::string m_error;
};
