#pragma once

// Every wait of the link and of the operations on it, in milliseconds. The product runs with the
// instrument's own figures (the defaults); tests install shorter ones so that a time-out costs them
// a fraction of a second.
struct LinkTimings
{
    int readItemMs = 3000; // the first wait for an item during a read
    int readItemRetryMs = 10000; // the one retry after a failed item
    int writeItemMs = 10000; // a written item's reply
    int setClockMs = 10000; // the clock's acknowledgement
    int serialPieceGapMs = 500; // a reply in pieces over the serial port ends after this gap
    int streamFirstDataMs = 10000; // a stream's first bytes (over serial also the request's write)
    int streamSilenceUdpMs = 1000; // a stream ends after this silence over UDP
    int streamSilenceSerialMs = 500; // and over the serial port
    int rtsPulseMs = 100; // each half of the RTS pulse before a serial request
    int udpReceiveBufferBytes = 0; // what a UDP socket asks the system to hold (0: its own choice)

    // The timings in force, for any thread.
    static LinkTimings current();
    // Tests only: timings for every later operation; nullptr goes back to the defaults.
    static void install(const LinkTimings* timings);
};
