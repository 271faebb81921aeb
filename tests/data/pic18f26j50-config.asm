; PIC18F26J50 test program (assembled by gpasm -a inhx32): a J part, whose
; configuration words are the last 8 bytes of its 64 KB flash (FFF8h-FFFFh).
        list    p=18f26j50
        #include <p18f26j50.inc>

        CONFIG  WDTEN = OFF, PLLDIV = 5, STVREN = ON, XINST = OFF, DEBUG = OFF
        CONFIG  CPUDIV = OSC2_PLL2, CP0 = OFF
        CONFIG  OSC = HSPLL, T1DIG = OFF, LPT1OSC = OFF, FCMEN = OFF, IESO = OFF
        CONFIG  WDTPS = 256, DSWDTOSC = INTOSCREF, RTCOSC = T1OSCREF, DSBOREN = OFF
        CONFIG  DSWDTEN = OFF, DSWDTPS = 2, IOL1WAY = OFF, MSSP7B_EN = MSK7
        CONFIG  WPFP = PAGE_1, WPEND = PAGE_0, WPCFG = OFF, WPDIS = OFF

        org     0x000000
start:  clrf    TRISB
        movlw   0x5A
        movwf   LATB
        bra     start

        org     0xFFF0              ; the last code bytes, right below the words
        db      0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80
        end
