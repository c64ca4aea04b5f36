// The command line as the programs read it: argument n counts from 1 after the program name,
// and an absent argument reads as empty text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lifcard {

class Arguments {
  public:
    explicit Arguments(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {}

    // Argument n (from 1), or empty text when there is no such argument.
    [[nodiscard]] std::string_view at(std::size_t n) const {
        return n >= 1 && n <= arguments_.size() ? std::string_view(arguments_[n - 1])
                                                : std::string_view();
    }

  private:
    std::vector<std::string> arguments_;
};

}  // namespace lifcard
