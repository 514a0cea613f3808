// Fixed at build time from CMake cache variables; tests build with their own values.
#pragma once

#ifndef VANTREL_VERSION
#error "VANTREL_VERSION is set by the build"
#endif
#ifndef VANTREL_SITE_HOST
#error "VANTREL_SITE_HOST is set by the build"
#endif

constexpr const char* kProgramVersion = VANTREL_VERSION;
constexpr const char* kSiteHost = VANTREL_SITE_HOST;  // the maker's web site
