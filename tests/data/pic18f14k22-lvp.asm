; PIC18F14K22 test program for a programmer that enters through the PGM pin (RC3)
; (assembled by gpasm -a inhx32): LVP stays on, so the chip can be entered the same way again.
        list    p=18f14k22
        #include <p18f14k22.inc>
        errorlevel -220             ; IDs and EEPROM lie outside the code range on purpose

        CONFIG  FOSC = IRC, PWRTEN = ON, BOREN = OFF, WDTEN = OFF
        CONFIG  MCLRE = ON, LVP = ON, STVREN = ON, XINST = OFF, DEBUG = OFF

        org     0x000000
start:  clrf    TRISC
        movlw   0x5A
        movwf   LATC
        bra     start

        org     0x200000
        db      1, 2, 3, 4, 5, 6, 7, 8

        org     0xF00000
        de      "PGM"
        end
