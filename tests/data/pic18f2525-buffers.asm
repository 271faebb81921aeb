; PIC18F2525 test program (assembled by gpasm -a inhx32): 64-byte write buffers and
; 1024 bytes of data EEPROM. Code straddles a buffer boundary, a table sits in the
; last buffer of flash, and EEPROM data lies past the first 256 cells, so writing it
; needs EEADRH.
        list    p=18f2525
        #include <p18f2525.inc>
        errorlevel -220             ; IDs and EEPROM lie outside the code range on purpose

        CONFIG  OSC = HS, FCMEN = OFF, IESO = OFF, PWRT = ON, BOREN = OFF
        CONFIG  WDT = OFF, MCLRE = ON, PBADEN = OFF, LVP = OFF, XINST = OFF

        org     0x000000
        goto    main

        org     0x000030            ; runs across the buffer boundary at 0040h
main:   clrf    TRISB
        movlw   0x55
        movwf   LATB
        comf    LATB, F
        nop
        nop
        nop
        nop
        nop
        nop
        nop
        nop
        nop
        nop
        bra     main

        org     0x00BFF0            ; the last buffer of flash
table:  db      0xDE, 0xAD, 0xBE, 0xEF, 0x01, 0x23, 0x45, 0x67
        db      0x89, 0xAB, 0xCD, 0xEF, 0x10, 0x32, 0x54, 0x76

        org     0x200000
        db      0x25, 0x25, 0x00, 0x01, 0xFF, 0xFF, 0x7E, 0x81

        org     0xF00000
        de      "low"
        org     0xF00100            ; cell 256: EEADRH = 1
        de      0x11, 0x22, 0x33
        org     0xF003FE            ; the last two cells
        de      0xC3, 0x3C
        end
