; PIC18F67J60 test program (assembled by gpasm -a inhx32): a 64-pin J part of
; 128 KB flash; its configuration words sit at 1FFF8h-1FFFDh, above the second
; 64 KB segment's code.
        list    p=18f67j60
        #include <p18f67j60.inc>

        CONFIG  WDT = OFF, STVR = ON, XINST = OFF, DEBUG = OFF, CP0 = OFF
        CONFIG  FOSC = HSPLL, FOSC2 = ON, FCMEN = OFF, IESO = OFF
        CONFIG  WDTPS = 512, ETHLED = ON

        org     0x000000
start:  setf    LATA
        bra     start

        org     0x1FFF4             ; the last code bytes share a record with the words
        db      0xC3, 0x3C, 0xA5, 0x5A
        end
