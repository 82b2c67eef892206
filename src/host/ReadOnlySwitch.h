#pragma once
#include "IEncyclopedia.h"
#include <memory>
#include <optional>

namespace km::host {

/// What an encyclopedia's openobjectsasreadonly switch becomes when a ReadOnlySwitch ends.
enum class AfterScope {
    Restore,   ///< what it was when the scope began
    SwitchOff, ///< off, whatever it was (the add-in leaves the switch off after each of its reads)
};

/// Sets an encyclopedia's openobjectsasreadonly switch for the life of the scope and sets it back
/// when the scope ends, also when an exception ends it: a switch left on by a failed call would
/// make every later fetch read-only, and one left off would make later fetches fail on locks.
class ReadOnlySwitch {
public:
    /// \p during: the switch inside the scope; nothing leaves it as it is.
    ReadOnlySwitch(std::shared_ptr<IEncyclopedia> encyclopedia, std::optional<bool> during,
                   AfterScope after = AfterScope::Restore)
        : m_encyclopedia(std::move(encyclopedia)) {
        m_after = after == AfterScope::Restore && m_encyclopedia->openobjectsasreadonly();
        if (during) {
            m_encyclopedia->openobjectsasreadonly(*during);
        }
    }

    ~ReadOnlySwitch() {
        try {
            m_encyclopedia->openobjectsasreadonly(m_after);
        } catch (...) {
            // A host that is gone has no switch left to set back.
        }
    }

    ReadOnlySwitch(const ReadOnlySwitch&) = delete;
    ReadOnlySwitch& operator=(const ReadOnlySwitch&) = delete;

private:
    std::shared_ptr<IEncyclopedia> m_encyclopedia;
    bool m_after = false;
};

} // namespace km::host
