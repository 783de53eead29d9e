<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>folimo::Sidebar</name>
    <message numerus="yes">
        <source>%n page(s)</source>
        <translation>
            <numerusform>%n page</numerusform>
            <numerusform>%n pages</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>folimo::Texts</name>
    <message numerus="yes">
        <source>%n sheet(s), %1 × %2 in</source>
        <translation>
            <numerusform>%n sheet, %1 × %2 in</numerusform>
            <numerusform>%n sheets, %1 × %2 in</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Preview sheet %1: page(s) %2</source>
        <translation>
            <numerusform>Preview sheet %1: page %2</numerusform>
            <numerusform>Preview sheet %1: pages %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n image(s)</source>
        <translation>
            <numerusform>%n image</numerusform>
            <numerusform>%n images</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s): %1</source>
        <translation>
            <numerusform>%n file: %1</numerusform>
            <numerusform>%n files: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) per PDF</source>
        <translation>
            <numerusform>%n file per PDF</numerusform>
            <numerusform>%n files per PDF</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n set(s) made</source>
        <translation>
            <numerusform>%n set made</numerusform>
            <numerusform>%n sets made</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n failed</source>
        <translation>
            <numerusform>, %n failed</numerusform>
            <numerusform>, %n failed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n stopped</source>
        <translation>
            <numerusform>, %n stopped</numerusform>
            <numerusform>, %n stopped</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Saved %n file(s) to “%1”.</source>
        <translation>
            <numerusform>Saved %n file to “%1”.</numerusform>
            <numerusform>Saved %n files to “%1”.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Stopped. %1 of %n file(s) saved in “%2”.</source>
        <translation>
            <numerusform>Stopped. %1 of %n file saved in “%2”.</numerusform>
            <numerusform>Stopped. %1 of %n files saved in “%2”.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n saved brand(s) couldn’t be read, so they were set aside. Your other brands are kept.</source>
        <translation>
            <numerusform>A saved brand couldn’t be read, so it was set aside. Your other brands are kept.</numerusform>
            <numerusform>%n saved brands couldn’t be read, so they were set aside. Your other brands are kept.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s)</source>
        <translation>
            <numerusform>%n file</numerusform>
            <numerusform>%n files</numerusform>
        </translation>
    </message>
</context>
</TS>
