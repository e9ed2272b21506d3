// Whether this build runs under a sanitizer (address or thread), for tests
// that must allow for the instrumented program's slowness: gcc says so with
// __SANITIZE_ADDRESS__ and __SANITIZE_THREAD__, clang with __has_feature.
#pragma once

namespace morvi::test_support {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool kSanitizedBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
inline constexpr bool kSanitizedBuild = true;
#else
inline constexpr bool kSanitizedBuild = false;
#endif
#else
inline constexpr bool kSanitizedBuild = false;
#endif

}  // namespace morvi::test_support
