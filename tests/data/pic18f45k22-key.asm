; PIC18F45K22 test program for a programmer that enters by the key sequence (assembled
; by gpasm -a inhx32): LVP stays on, so the chip can be entered the same way again.
        list    p=18f45k22
        #include <p18f45k22.inc>
        errorlevel -220             ; IDs and EEPROM lie outside the code range on purpose

        CONFIG  FOSC = INTIO67, PWRTEN = ON, BOREN = OFF, WDTEN = OFF
        CONFIG  MCLRE = EXTMCLR, PBADEN = OFF, LVP = ON, STVREN = ON, XINST = OFF, DEBUG = OFF

        org     0x000000
start:  clrf    TRISD
        movlw   0x5A
        movwf   LATD
        bra     start

        org     0x4000              ; beyond the first code blocks: more than one row written
        db      0xA5, 0x5A, 0x3C, 0xC3

        org     0x200000
        db      1, 2, 3, 4, 5, 6, 7, 8

        org     0xF00000
        de      "KEY"
        end
