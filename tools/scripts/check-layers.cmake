# Fails when a file of the model's folders includes a folder above its own layer or a header that
# is not the C++ standard library's (or the compiler's vector instructions). Run as: cmake -D SOURCE_DIR=<src> -P check-layers.cmake
set(allowed_base base)
set(allowed_map base map)
set(allowed_resources base map resources)
set(allowed_geometry base map resources geometry)

set(std_headers
    algorithm any array atomic bit bitset cassert cctype cerrno cfloat charconv chrono cinttypes
    climits clocale cmath compare complex concepts condition_variable cstdarg cstddef cstdint
    cstdio cstdlib cstring ctime cwchar cwctype deque exception execution filesystem format
    forward_list fstream functional initializer_list iomanip ios iosfwd iostream istream iterator
    limits list locale map memory memory_resource mutex new numbers numeric optional ostream queue
    random ranges ratio regex scoped_allocator set shared_mutex source_location span sstream stack
    stdexcept streambuf string string_view system_error thread tuple type_traits typeindex
    typeinfo unordered_map unordered_set utility valarray variant vector version)
# The compiler's own vector instructions: no library and no system behind them.
list(APPEND std_headers emmintrin.h)

set(failures "")
foreach(layer base map resources geometry)
    file(GLOB_RECURSE files ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
    foreach(f ${files})
        file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include")
        foreach(line ${lines})
            if(line MATCHES "#[ \t]*include[ \t]*\"([^\"/]+)/[^\"]*\"")
                list(FIND allowed_${layer} ${CMAKE_MATCH_1} at)
                if(at EQUAL -1)
                    list(APPEND failures "${f}: ${line}")
                endif()
            elseif(line MATCHES "#[ \t]*include[ \t]*<([^>]+)>")
                list(FIND std_headers ${CMAKE_MATCH_1} at)
                if(at EQUAL -1)
                    list(APPEND failures "${f}: ${line}")
                endif()
            else()
                list(APPEND failures "${f}: ${line}")
            endif()
        endforeach()
    endforeach()
endforeach()

if(failures)
    list(JOIN failures "\n" text)
    message(FATAL_ERROR "Includes outside the layer:\n${text}")
endif()
message(STATUS "The model's folders include only their own layers and the standard library")
