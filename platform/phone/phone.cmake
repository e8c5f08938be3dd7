# The handset's telephony: call requests, kept as the device's last dialled
# call, logged in the phone store's call log and shown by the home shell.
# Included by platform/CMakeLists.txt.

add_library(platform_phone STATIC
    phone/CallLog.cpp phone/CallLog.h
    phone/LastCall.cpp phone/LastCall.h
    phone/Sms.cpp phone/Sms.h
    phone/Tapi.cpp phone/Tapi.h
    phone/TapiLine.cpp phone/TapiLine.h)
target_link_libraries(platform_phone PUBLIC platform platform_sim platform_stores_ce)

# A call request goes to "the" shell relay, found by its window class: these
# tests make their own and must not run beside a shell or one another.
vellumate_test(platform_phone_tests SERIAL
    SOURCES phone/tests/TapiTests.cpp
    LIBS platform_phone vmshell_core testsupport_win32)

vellumate_test(platform_phoneinfo_tests
    SOURCES phone/tests/PhoneInfoTests.cpp
    LIBS platform_phone testsupport_win32)
