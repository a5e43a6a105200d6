#pragma once
// PlayerHost: everything the chapter player waits for or reaches outside through. The preview
// window implements it with local event loops, the headless host from a script of answers.

namespace quill {

class PlayerHost {
public:
    virtual ~PlayerHost() = default;
};

}  // namespace quill
