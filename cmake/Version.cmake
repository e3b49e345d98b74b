# The program's version block: the one place where its identity is set. The values reach the
# code through the generated header flowcfg/BuildVersion.h (see src/shell/VersionInfo.cpp).
set(FLOWCFG_INTERNAL_NAME "Zq4xxKRw 03")
set(FLOWCFG_FILE_VERSION "03 A")
set(FLOWCFG_LEGAL_COPYRIGHT "Copyright (C) 2026 the flowcfg developers. All rights reserved.")
set(FLOWCFG_PRODUCT_NAME "flowcfg")

configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildVersion.h.in
               ${CMAKE_BINARY_DIR}/generated/flowcfg/BuildVersion.h @ONLY)
