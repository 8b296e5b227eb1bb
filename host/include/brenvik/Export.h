// How the client library marks what it exports: its own build exports, its users import.
#pragma once

#if defined(_WIN32)
#if defined(BRENVIK_HOST_BUILDING)
#define BRENVIK_HOST_API __declspec(dllexport)
#else
#define BRENVIK_HOST_API __declspec(dllimport)
#endif
#else
#define BRENVIK_HOST_API __attribute__((visibility("default")))
#endif
