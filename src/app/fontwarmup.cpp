#include "app/fontwarmup.h"

#include <dlfcn.h>
#include <pthread.h>
#include <sched.h>
#include <system_error>
#include <thread>

void WarmUpFontConfiguration()
{
    // the toolkit's own copy of the library, loaded with it: nothing new is loaded here
    void *library = dlopen("libfontconfig.so.1", RTLD_LAZY | RTLD_NOLOAD);
    if (!library)
        return;
    using InitFunction = int (*)();
    const auto init = reinterpret_cast<InitFunction>(dlsym(library, "FcInit"));
    if (!init) {
        dlclose(library);
        return;
    }
    try {
        std::thread([library, init] {
#ifdef SCHED_IDLE
            // any other thread of the machine goes first; it runs on time a core would idle away
            const sched_param lowest{};
            pthread_setschedparam(pthread_self(), SCHED_IDLE, &lowest);
#endif
            init();
            dlclose(library);
        }).detach();
    } catch (const std::system_error &) {
        dlclose(library); // no thread to spare: the font system reads it when first asked
    }
}
