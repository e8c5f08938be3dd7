# tmail.exe, the handset's mail program installed in "\Windows": a new
# message with a file attached goes into the mail store's Outbox. Included by
# platform/CMakeLists.txt after the stores.

add_library(platform_mail STATIC
    mail/MailResources.h
    mail/MailWindow.cpp mail/MailWindow.h
    mail/OutgoingMail.cpp mail/OutgoingMail.h)
target_link_libraries(platform_mail PUBLIC platform platform_stores_ce)
target_compile_options(platform_mail PRIVATE -Wno-maybe-uninitialized)

vellumate_program(tmail
    OUTPUT_NAME tmail
    SOURCES mail/MailMain.cpp
    LIBS platform_mail
    RESOURCES mail/Mail.rc)
