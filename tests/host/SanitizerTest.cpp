// The host build exists to run platform-free code under the sanitizers; this checks that
// they really are compiled in, so a broken flag cannot silently turn them off.
#include <gtest/gtest.h>

#if defined(__has_feature)
#  if __has_feature(address_sanitizer)
#    define KIVORA_HAS_ASAN 1
#  endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#  define KIVORA_HAS_ASAN 1
#endif

TEST(HostBuild, AddressSanitizerIsCompiledIn)
{
#ifdef KIVORA_HAS_ASAN
    SUCCEED();
#else
    FAIL() << "the host build must be compiled with -fsanitize=address";
#endif
}
