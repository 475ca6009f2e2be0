#pragma once

// Clang's thread-safety analysis: which lock guards a member, which functions expect it held and
// which must not be called with it held. Under clang with -Wthread-safety an access the lock does
// not cover fails the build; other compilers see nothing.
#if defined(__clang__)
#define KALVO_THREAD_ANNOTATION(x) __attribute__ ((x))
#else
#define KALVO_THREAD_ANNOTATION(x)
#endif

#define KALVO_CAPABILITY(name) KALVO_THREAD_ANNOTATION (capability (name))
#define KALVO_SCOPED_CAPABILITY KALVO_THREAD_ANNOTATION (scoped_lockable)
#define KALVO_GUARDED_BY(lock) KALVO_THREAD_ANNOTATION (guarded_by (lock))
#define KALVO_PT_GUARDED_BY(lock) KALVO_THREAD_ANNOTATION (pt_guarded_by (lock))
#define KALVO_REQUIRES(...) KALVO_THREAD_ANNOTATION (requires_capability (__VA_ARGS__))
#define KALVO_EXCLUDES(...) KALVO_THREAD_ANNOTATION (locks_excluded (__VA_ARGS__))
#define KALVO_ACQUIRE(...) KALVO_THREAD_ANNOTATION (acquire_capability (__VA_ARGS__))
#define KALVO_RELEASE(...) KALVO_THREAD_ANNOTATION (release_capability (__VA_ARGS__))
#define KALVO_TRY_ACQUIRE(...) KALVO_THREAD_ANNOTATION (try_acquire_capability (__VA_ARGS__))
#define KALVO_NO_THREAD_SAFETY_ANALYSIS KALVO_THREAD_ANNOTATION (no_thread_safety_analysis)
