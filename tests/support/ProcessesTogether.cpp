#include "tests/support/ProcessesTogether.h"

#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace kiv::test {

bool allTogether(int count, const std::function<bool(int)>& work)
{
    int gate[2];
    if (::pipe(gate) != 0)
        return false;
    std::vector<pid_t> children;
    for (int i = 0; i < count; ++i) {
        children.push_back(::fork());
        if (children.back() == 0) {
            char go = 0;
            ::close(gate[1]);
            ::_exit(::read(gate[0], &go, 1) == 0 && work(i) ? 0 : 1); // the gate's close releases all
        }
    }
    ::close(gate[0]);
    ::close(gate[1]);
    bool all = true;
    for (int status = 0; const pid_t child : children)
        all = ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0 && all;
    return all;
}

} // namespace kiv::test
