#pragma once

#include <cerrno>

// Repeats a system call that a signal interrupted (-1 with EINTR) until it gives its real outcome.
template <typename Call>
auto retryOnInterrupt(Call call)
{
    decltype(call()) result;
    do {
        result = call();
    } while (result == -1 && errno == EINTR);
    return result;
}
