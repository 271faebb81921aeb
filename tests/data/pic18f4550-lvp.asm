; PIC18F4550 test program for a programmer that enters at low voltage (assembled by
; gpasm -a inhx32): LVP stays on, so the chip can be entered the same way again.
        list    p=18f4550
        #include <p18f4550.inc>
        errorlevel -220             ; IDs and EEPROM lie outside the code range on purpose

        CONFIG  FOSC = HS, PWRT = ON, BOR = OFF, WDT = OFF
        CONFIG  MCLRE = ON, PBADEN = OFF, LVP = ON, STVREN = ON, XINST = OFF, DEBUG = OFF

        org     0x000000
start:  clrf    TRISD
        movlw   0x5A
        movwf   LATD
        bra     start

        org     0x200000
        db      1, 2, 3, 4, 5, 6, 7, 8

        org     0xF00000
        de      "LVP"
        end
