#pragma once
#include "platform/kemora/objects/Encyclopedia.h"
#include <memory>
#include <string>

namespace km::test {

enum class Solution { Off, On };

/// A new encyclopedia with the host's base files and, with Solution::On, the solution's property
/// files switched on through the file store (declaration, include line, the solution's files).
/// ":memory:" gives a private in-memory encyclopedia.
std::shared_ptr<kemora::Encyclopedia> newEncyclopedia(Solution solution = Solution::On,
                                                      const std::string& path = ":memory:");

/// Switches the solution on in a store that holds the base files.
void switchSolutionOn(kemora::IStore& store);

} // namespace km::test
