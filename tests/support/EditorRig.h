// An editor on a headless platform whose program folder is a temporary folder holding a copy of
// the generated data folder, with helpers that put recording fakes in place of the editor's calls.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/Editor.h"
#include "platform/HeadlessPlatform.h"
#include "support/TempFolder.h"

namespace korvel::test {

struct EditorRig {
    // withData: copy the generated KorvelD into the program folder.
    explicit EditorRig(const std::string& commandLine = "", bool withData = true);

    std::string dataFile(const std::string& name) const { return dir.file("KorvelD/" + name); }
    // Removes a file of the copied data folder.
    void removeDataFile(const std::string& name) const;

    // One whole frame of the loop, 16 ms of the platform's clock after the last.
    void frame();
    // A key or mouse button goes down or up, then a frame runs.
    void key(int vk, bool down);

    TempFolder dir;
    std::unique_ptr<HeadlessPlatform> platform;
    std::unique_ptr<Editor> ed;
};

// Names of the calls made, in order, as the recorders below write them.
using Trace = std::vector<std::string>;

// Replaces a call by one that writes its name into the trace and then does what `then` does
// (nothing, by default, returning a value-initialised result).
template <typename R, typename... A>
void recordOnly(std::function<R(A...)>& call, Trace& trace, std::string name,
                std::function<R(A...)> then = {}) {
    call = [&trace, name = std::move(name), then = std::move(then)](A... args) -> R {
        trace.push_back(name);
        if (then) return then(std::forward<A>(args)...);
        return R();
    };
}

// Replaces a call by one that writes its name into the trace and then makes the real call.
template <typename R, typename... A>
void recordAndCall(std::function<R(A...)>& call, Trace& trace, std::string name) {
    std::function<R(A...)> real = call;
    recordOnly(call, trace, std::move(name), std::move(real));
}

// Log lines recorded as "log:<text>@<colour>".
void recordLog(EditorCalls& calls, Trace& trace, bool alsoDraw);

}  // namespace korvel::test
