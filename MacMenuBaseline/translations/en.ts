<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>MacMenuBaseline</name>
    <message>
        <source>Close Window</source>
        <translation>Close Window</translation>
    </message>
    <message>
        <source>%1 Help</source>
        <comment>The first item of the Help menu; %1 is the application&apos;s name.</comment>
        <translation>%1 Help</translation>
    </message>
</context>
</TS>
